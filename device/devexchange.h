#pragma once
// The exchanges a device panel runs with its device on the terminal's worker.

enum class tDevExchange : int { Connect, Receive, Send, Go };
