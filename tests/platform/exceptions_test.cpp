// Protects the error types and their user-visible messages: system errors, number parsing.
#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>

TEST(Exceptions, RaiseLastOSErrorGivesCodeAndSystemText)
{
    try {
        RaiseLastOSError(ENOSPC);
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), ENOSPC);
        EXPECT_EQ(std::string(e.what()), "Systemfehler. Code: " + std::to_string(ENOSPC) + ".\n" + std::strerror(ENOSPC));
    }
    try {
        RaiseLastOSError(0);
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), 0);
        EXPECT_STREQ(e.what(), "Eine Systemfunktion ist fehlgeschlagen");
    }
    EXPECT_THROW(RaiseLastOSError(EIO), EOSError);
}

TEST(Exceptions, StrToIntTakesOnlyWholeDecimalNumbersIn32Bits)
{
    const std::pair<const char*, int> accepted[] = {
        {"12", 12}, {"-1", -1}, {"+7", 7}, {"0", 0}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, value] : accepted)
        EXPECT_EQ(StrToInt(text), value) << text;

    for (const char* text : {"", " 1", "1 ", "12a", "--1", "+-1", "-+1", "+", "-", "2147483648", "-2147483649", "0x10", "1.0"}) {
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' ist kein gültiger Integerwert");
        }
    }
}

// Callers catch the kinds separately (a range error in a field is not a failed system call).
TEST(Exceptions, KindsAreDistinguishable)
{
    const std::function<void()> raise[] = {
        [] { throw Exception("x"); },
        [] { throw ERangeError("x"); },
        [] { throw EConvertError("x"); },
        [] { throw EOSError(EIO, "x"); },
    };
    for (size_t kind = 0; kind < std::size(raise); ++kind) {
        try {
            raise[kind]();
        } catch (const Exception& e) {
            const bool is[] = {true, dynamic_cast<const ERangeError*>(&e) != nullptr,
                               dynamic_cast<const EConvertError*>(&e) != nullptr,
                               dynamic_cast<const EOSError*>(&e) != nullptr};
            for (size_t other = 1; other < std::size(is); ++other)
                EXPECT_EQ(is[other], other == kind) << "thrown " << kind << ", tested " << other;
        }
    }
}

TEST(Exceptions, KeepThePlaceTheyWereRaisedAt)
{
    const unsigned thrownAt = __LINE__ + 2;
    try {
        throw ERangeError("x");
    } catch (const Exception& e) {
        EXPECT_EQ(e.Where().line(), thrownAt);
        EXPECT_NE(std::strstr(e.Where().file_name(), "exceptions_test.cpp"), nullptr) << e.Where().file_name();
    }
    const unsigned raisedAt = __LINE__ + 2;
    try {
        RaiseLastOSError(EIO);
    } catch (const Exception& e) {
        EXPECT_EQ(e.Where().line(), raisedAt);
    }
}
