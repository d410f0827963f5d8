#pragma once
// An error in what the call hands talvctl rather than in the device: a file that cannot be
// opened, a device number the file does not have, a plan the check cannot go through. talvctl
// reports it like a usage error (exit status 2) but without the usage text.

#include "platform/exceptions.h"

class ETalvctlInputError : public Exception {
public:
    using Exception::Exception;
};
