#include "cli/talvctlparameters.h"

#include "cli/talvctltext.h"
#include "platform/exceptions.h"
#include "terminal/kovparameters.h"

#include <algorithm>
#include <optional>

namespace {

enum tKey : int {
    EKeyMsnIncoming1,
    EKeyMsnIncoming2,
    EKeyAutomaticCallMode,
    EKeyAutomaticCallNumber1,
    EKeyAutomaticCallNumber2,
    EKeyIsdnDChannelProtocol,
};

// The value goes out as the rest of a command line: a control character (a CR above all) would
// end the line early and make the rest a command of its own, and a "#" in the echo would be
// taken for the device's prompt and cut the reply in two.
AnsiString CheckedNumber(const std::string& context, const std::string& key, const std::string& value)
{
    const bool bad = std::any_of(value.begin(), value.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32 || c == 127 || c == DevicePrompt;
    });
    if (bad)
        throw Exception(context + key + ": " +
                        TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "Steuerzeichen und '%s' sind nicht erlaubt"),
                                       {std::string(1, DevicePrompt)}));
    return value;
}

int CheckedInteger(const std::string& key, const std::string& value, void (*check)(int))
{
    int number = 0;
    try {
        number = StrToInt(value);
        check(number);
    } catch (const Exception& e) {
        throw Exception("send: " + key + ": " + e.what());
    }
    return number;
}

}  // namespace

const std::array<std::string, 6> TTalvctlParameters::Keys = {
    "MsnIncoming1",         "MsnIncoming2",         "AutomaticCallMode",
    "AutomaticCallNumber1", "AutomaticCallNumber2", "IsdnDChannelProtocol",
};

TTalvctlParameters TTalvctlParameters::FromAssignments(const std::vector<std::string>& assignments)
{
    std::array<std::optional<std::string>, Keys.size()> values;
    for (const std::string& assignment : assignments) {
        const auto equals = assignment.find('=');
        if (equals == std::string::npos)
            throw Exception("send: " +
                            TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "'%s' ist keine Zuweisung KEY=VALUE"),
                                           {assignment}));
        const std::string key = assignment.substr(0, equals);
        const auto known = std::find(Keys.begin(), Keys.end(), key);
        if (known == Keys.end())
            throw Exception("send: " + TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "unbekannter Parameter '%s'"),
                                                      {key}));
        auto& value = values[static_cast<size_t>(known - Keys.begin())];
        if (value)
            throw Exception("send: " + TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "Parameter '%s' mehrfach angegeben"),
                                                      {key}));
        value = assignment.substr(equals + 1);
    }

    std::string missing;
    for (size_t i = 0; i < Keys.size(); ++i)
        if (!values[i])
            missing += (missing.empty() ? "" : ", ") + Keys[i];
    if (!missing.empty())
        throw Exception("send: " + TalvctlMessage(QT_TRANSLATE_NOOP("talvctl", "Parameter fehlt: %s"), {missing}));

    TTalvctlParameters parameters;
    parameters.MsnIncoming[0] = CheckedNumber("send: ", Keys[EKeyMsnIncoming1], *values[EKeyMsnIncoming1]);
    parameters.MsnIncoming[1] = CheckedNumber("send: ", Keys[EKeyMsnIncoming2], *values[EKeyMsnIncoming2]);
    parameters.AutomaticCallMode = static_cast<tAciomco>(
        CheckedInteger(Keys[EKeyAutomaticCallMode], *values[EKeyAutomaticCallMode], CheckAutomaticCallMode));
    parameters.AutomaticCallNumber[0] =
        CheckedNumber("send: ", Keys[EKeyAutomaticCallNumber1], *values[EKeyAutomaticCallNumber1]);
    parameters.AutomaticCallNumber[1] =
        CheckedNumber("send: ", Keys[EKeyAutomaticCallNumber2], *values[EKeyAutomaticCallNumber2]);
    parameters.IsdnDChannelProtocol = CheckedInteger(
        Keys[EKeyIsdnDChannelProtocol], *values[EKeyIsdnDChannelProtocol], CheckIsdnDChannelProtocol);
    return parameters;
}

void TTalvctlParameters::CheckNumbers(const std::string& context) const
{
    CheckedNumber(context, Keys[EKeyMsnIncoming1], MsnIncoming[0]);
    CheckedNumber(context, Keys[EKeyMsnIncoming2], MsnIncoming[1]);
    CheckedNumber(context, Keys[EKeyAutomaticCallNumber1], AutomaticCallNumber[0]);
    CheckedNumber(context, Keys[EKeyAutomaticCallNumber2], AutomaticCallNumber[1]);
}

TTalvctlParameters TTalvctlParameters::FromParameters(const TKovParameters& parameters)
{
    TTalvctlParameters values;
    for (int i = 0; i < 2; ++i) {
        values.MsnIncoming[i] = parameters.GetMsnIncoming(i);
        values.AutomaticCallNumber[i] = parameters.GetAutomaticCallNumber(i);
    }
    values.AutomaticCallMode = parameters.GetAutomaticCallMode();
    values.IsdnDChannelProtocol = parameters.GetIsdnDChannelProtocol();
    return values;
}

void TTalvctlParameters::ApplyTo(TKovParameters& parameters) const
{
    for (int i = 0; i < 2; ++i) {
        parameters.SetMsnIncoming(i, MsnIncoming[i]);
        parameters.SetAutomaticCallNumber(i, AutomaticCallNumber[i]);
    }
    parameters.SetAutomaticCallMode(AutomaticCallMode);
    parameters.SetIsdnDChannelProtocol(IsdnDChannelProtocol);
}

std::vector<std::string> TTalvctlParameters::Assignments() const
{
    return {
        Keys[EKeyMsnIncoming1] + "=" + MsnIncoming[0],
        Keys[EKeyMsnIncoming2] + "=" + MsnIncoming[1],
        Keys[EKeyAutomaticCallMode] + "=" + std::to_string(AutomaticCallMode),
        Keys[EKeyAutomaticCallNumber1] + "=" + AutomaticCallNumber[0],
        Keys[EKeyAutomaticCallNumber2] + "=" + AutomaticCallNumber[1],
        Keys[EKeyIsdnDChannelProtocol] + "=" + std::to_string(IsdnDChannelProtocol),
    };
}
