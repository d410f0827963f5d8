#pragma once
// The exchanges a device panel runs with its device on the terminal's worker. A compare reads the
// device's values as a receive does, but into a copy of their own: the plan stays as it is.

enum class tDevExchange : int { Connect, Receive, Send, Go, Compare };
