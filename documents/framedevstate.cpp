#include "documents/framedevstate.h"

#include "platform/exceptions.h"
#include "platform/inifile.h"
#include "platform/resstrings.h"
#include "terminal/kovparameters.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace {

// The string table holds the protocol box items from this id on, in box order.
constexpr int ProtocolItemIds = 231;
constexpr int DisabledTextId = 215;
const tIsdnDChannelProtocol ProtocolValues[TFrameDevState::ProtocolItemCount] = {
    IsdnDss1, IsdnLeasedLineB1, IsdnLeasedLineB2, IsdnLeasedLineB1B2};

const char* const KeyCOMPort = "COMPort";
const char* const KeyCount = "Count";
const char* const KeyItem = "Item";
const char* const MemoSuffix = ".Memo";

}  // namespace

std::string TFrameDevState::ProtocolItem(int index)
{
    return LoadStr(ProtocolItemIds + index);
}

std::string TFrameDevState::DisabledText()
{
    return LoadStr(DisabledTextId);
}

TFrameDevState::TFrameDevState()
{
    Clear();
}

void TFrameDevState::SetParameters(TKovParameters* parameters)
{
    if (parameters == FParameters)
        return;
    FParameters = parameters;
    UpdateView();
}

// A button the panel checks itself runs the click handler like a user's click: the mode always
// follows the buttons as they stand after the last change.
void TFrameDevState::DialClick(int line, bool dial)
{
    if (FDial[line] == dial)
        return;
    FDial[line] = dial;
    FModified = true;
    UpdateAutomaticCallMode();
}

void TFrameDevState::UpdateAutomaticCallMode()
{
    if (!FParameters)
        return;
    const tAciomco mode = FDial[0] ? (FDial[1] ? EAciomcoB1B2 : EAciomcoB1) : (FDial[1] ? EAciomcoB2 : EAciomcoNo);
    FParameters->SetAutomaticCallMode(mode);
}

void TFrameDevState::UpdateView()
{
    if (!FParameters)
        return;
    FName = FParameters->GetKovName();
    for (int line = 0; line < 2; ++line) {
        FMsn[line] = FParameters->GetMsnIncoming(line);
        FNumber[line] = FParameters->GetAutomaticCallNumber(line);
    }

    const tAciomco mode = FParameters->GetAutomaticCallMode();
    switch (mode) {
    case EAciomcoB1B2: DialClick(0, true); DialClick(1, true); break;
    case EAciomcoB1: DialClick(0, true); DialClick(1, false); break;
    case EAciomcoB2: DialClick(0, false); DialClick(1, true); break;
    case EAciomcoNo: DialClick(0, false); DialClick(1, false); break;
    default:
        throw ERangeError("TFrameDev::UpdateView: falscher AutomaticCallMode " + std::to_string(mode));
    }

    const tIsdnDChannelProtocol protocol = FParameters->GetIsdnDChannelProtocol();
    const auto value = std::find(std::begin(ProtocolValues), std::end(ProtocolValues), protocol);
    if (value == std::end(ProtocolValues))
        throw ERangeError("TFrameDev::UpdateView: falsches IsdnDChannelProtocol " + std::to_string(protocol));
    FProtocolIndex = static_cast<int>(value - std::begin(ProtocolValues));

    UpdateViewByIsdnChannelProtocoll();

    const int port = FParameters->GetCOMPort();
    FComPortIndex = port >= COM1 && port <= COM4 ? port : -1;
}

void TFrameDevState::UpdateViewByIsdnChannelProtocoll()
{
    if (!FParameters)
        return;
    // The DSS1 values wait here while a leased line is chosen, so choosing DSS1 again brings
    // them back.
    if (FParameters->GetIsdnDChannelProtocol() == IsdnDss1) {
        for (int line = 0; line < 2; ++line) {
            FSavedMsn[line] = FMsn[line];
            FSavedNumber[line] = FNumber[line];
            FSavedDial[line] = FDial[line];
        }
    }

    if (FProtocolIndex == 0) {
        FParameters->SetIsdnDChannelProtocol(IsdnDss1);
        FNumbersEnabled = true;
        for (int line = 0; line < 2; ++line) {
            FMsn[line] = FSavedMsn[line];
            FNumber[line] = FSavedNumber[line];
            FParameters->SetMsnIncoming(line, FMsn[line]);
            FParameters->SetAutomaticCallNumber(line, FNumber[line]);
        }
        DialClick(0, FSavedDial[0]);
        DialClick(1, FSavedDial[1]);
    } else if (FProtocolIndex >= 1 && FProtocolIndex < ProtocolItemCount) {
        FParameters->SetIsdnDChannelProtocol(ProtocolValues[FProtocolIndex]);
        const std::string item = ProtocolItem(FProtocolIndex);
        const bool usesB1 = FProtocolIndex != 2;
        const bool usesB2 = FProtocolIndex != 1;
        FMsn[0] = FNumber[0] = usesB1 ? item : DisabledText();
        FMsn[1] = FNumber[1] = usesB2 ? item : DisabledText();
        DialClick(0, usesB1);
        DialClick(1, usesB2);
        for (int line = 0; line < 2; ++line) {
            FParameters->SetMsnIncoming(line, NoNumber);
            FParameters->SetAutomaticCallNumber(line, NoNumber);
        }
    } else {
        throw ERangeError(
            "TFrameDev::UpdateViewByIsdnChannelProtocoll: falscher Index bei CmbBxIsdnDChannelProtocol->ItemIndex " +
            std::to_string(FProtocolIndex));
    }

    if (FParameters->GetIsdnDChannelProtocol() != IsdnDss1)
        FNumbersEnabled = false;
}

void TFrameDevState::ProtocolChange(int index)
{
    FProtocolIndex = index;
    if (!FParameters)
        return;
    UpdateViewByIsdnChannelProtocoll();
    FModified = true;
}

void TFrameDevState::Clear()
{
    FName.clear();
    ProtocolChange(0);
    FMsn[0].clear();
    FMsn[1].clear();
    FNumber[0].clear();
    DialClick(0, true);
    FNumber[1].clear();
    DialClick(1, true);
    FComPortIndex = 0;
    FMemo.clear();
    if (FParameters)
        FParameters->Clear();
    FModified = false;
}

bool TFrameDevState::IsAcceptedMsn(const std::string& text)
{
    if (text.empty() || text == NoNumber || text == DisabledText())
        return true;
    // Only plain digits: a sign in front of digits is refused even where the value would be
    // 0 ("-0"), so the field never holds a number with a sign.
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool TFrameDevState::MsnChange(int line, const std::string& text)
{
    if (!FParameters)
        return true;
    FModified = true;
    if (!IsAcceptedMsn(text))
        return false;
    FMsn[line] = text;
    FParameters->SetMsnIncoming(line, text == DisabledText() ? NoNumber : text);
    return true;
}

void TFrameDevState::NumberChange(int line, const std::string& text)
{
    if (!FParameters)
        return;
    if (FParameters->GetIsdnDChannelProtocol() != IsdnDss1) {
        FParameters->SetAutomaticCallNumber(line, NoNumber);
        return;
    }
    FModified = true;
    FNumber[line] = text;
    FParameters->SetAutomaticCallNumber(line, text);
}

std::vector<std::string> TFrameDevState::PartnerNumbers(const std::vector<const TFrameDevState*>& shown,
                                                        const TFrameDevState* self, int line)
{
    std::vector<std::string> numbers;
    for (const TFrameDevState* panel : shown) {
        if (!panel || !panel->FParameters)
            continue;
        for (int own = 0; own < 2; ++own) {
            const std::string& msn = panel->FParameters->GetMsnIncoming(own);
            if (!msn.empty() && !(panel == self && own == line))
                numbers.push_back(msn);
        }
    }
    return numbers;
}

void TFrameDevState::ComPortChange(int index)
{
    if (!FParameters)
        return;
    if (index < COM1 || index > COM4)
        throw ERangeError("TFrameDev::CmbBxComPortChange: falscher Index " + std::to_string(index));
    FParameters->SetCOMPort(static_cast<tCOMPorts>(index));
    FComPortIndex = index;
    FModified = true;
}

void TFrameDevState::NameChange(const std::string& name)
{
    if (!FParameters)
        return;
    FParameters->SetKovName(name);
    FName = FParameters->GetKovName();
    FModified = true;
}

bool TFrameDevState::MemoChange(const std::vector<std::string>& lines)
{
    if (!FParameters || lines == FMemo)
        return false;
    FMemo = lines;
    FModified = true;
    return true;
}

void TFrameDevState::SaveConfiguration(TIniFile& ini, const std::string& section)
{
    if (!FParameters)
        return;
    FParameters->SaveConfiguration(&ini, section);
    ini.WriteInteger(section, KeyCOMPort, FParameters->GetCOMPort() + 1);
    const std::string memo = section + MemoSuffix;
    ini.EraseSection(memo);
    ini.WriteInteger(memo, KeyCount, static_cast<int>(FMemo.size()));
    for (size_t i = 0; i < FMemo.size(); ++i)
        ini.WriteString(memo, KeyItem + std::to_string(i), FMemo[i]);
    FModified = false;
}

std::optional<int> TFrameDevState::LoadConfiguration(TIniFile& ini, const std::string& section)
{
    if (!FParameters)
        return std::nullopt;
    FParameters->LoadConfiguration(&ini, section);

    // A port outside COM1..COM4 (a file from a machine with more ports, or a typing error)
    // would open COM1 anyway; say so instead of keeping a port no box can show.
    std::optional<int> foreignPort;
    const int port = ini.ReadInteger(section, KeyCOMPort, 1);
    if (port >= 1 && port <= 4) {
        FParameters->SetCOMPort(static_cast<tCOMPorts>(port - 1));
    } else {
        FParameters->SetCOMPort(COM1);
        foreignPort = port;
    }

    const std::string memo = section + MemoSuffix;
    if (ini.ValueExists(memo, KeyCount)) {
        const int count = ini.ReadInteger(memo, KeyCount, 0);
        FMemo.clear();
        // Walk the keys present rather than 0..Count-1, so a huge Count costs nothing.
        std::vector<std::pair<int, std::string>> items;
        for (const auto& key : ini.ReadSection(memo)) {
            if (key.size() <= 4 || !std::equal(key.begin(), key.begin() + 4, "Item", [](char a, char b) {
                    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                }))
                continue;
            const std::string digits = key.substr(4);
            if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
                digits.size() > 9 || (digits.size() > 1 && digits[0] == '0'))
                continue;
            const int index = std::stoi(digits);
            if (index < count)
                items.emplace_back(index, ini.ReadString(memo, key, ""));
        }
        std::sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& item : items)
            FMemo.push_back(std::move(item.second));
    }

    UpdateView();
    FModified = false;
    return foreignPort;
}

void TFrameDevState::EraseConfiguration(TIniFile& ini, const std::string& section)
{
    ini.EraseSection(section);
    ini.EraseSection(section + MemoSuffix);
}

void TFrameDevState::AssignState(const TFrameDevState& source)
{
    TKovParameters* const parameters = FParameters;
    *this = source;
    FParameters = parameters;
}
