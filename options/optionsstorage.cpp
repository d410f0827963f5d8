#include "options/optionsstorage.h"

#include "options/useroptions.h"
#include "platform/inifile.h"

#include <QFontInfo>

#include <optional>
#include <string>

namespace {

const char* const Section = "Options";

// Font pitch and style as words, so that a person reading the file understands them.
const char* const PitchNames[] = {"Default", "Fixed", "Variable"};
const char* const StyleBold = "Bold";
const char* const StyleItalic = "Italic";
const char* const StyleUnderline = "Underline";
const char* const StyleStrikeOut = "StrikeOut";
// The character set of every font the chooser offers (ANSI); a Qt font carries none, so the
// value is written for readers of the file and not read back.
constexpr int AnsiCharset = 0;

// ---- reading: each reader gives no value for a missing or unreadable key ----

std::optional<std::string> Text(const TIniFile& ini, const std::string& key)
{
    if (!ini.ValueExists(Section, key))
        return std::nullopt;
    return ini.ReadString(Section, key, "");
}

std::optional<int> Integer(const TIniFile& ini, const std::string& key, int low, int high)
{
    const std::optional<std::string> text = Text(ini, key);
    if (!text)
        return std::nullopt;
    // A sentinel outside every range the keys use tells an unreadable value from a read one.
    constexpr int Unreadable = -2147483647 - 1;
    const int value = ini.ReadInteger(Section, key, Unreadable);
    if (value == Unreadable || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<QColor> Colour(const TIniFile& ini, const std::string& key)
{
    const std::optional<std::string> text = Text(ini, key);
    if (!text || text->size() != 7 || (*text)[0] != '#')
        return std::nullopt;
    const QColor colour(QString::fromStdString(*text));
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

std::string ColourText(const QColor& colour)
{
    return colour.name(QColor::HexRgb).toUpper().toStdString();
}

// ---- the items ----

void LoadBrush(QBrush& brush, const TIniFile& ini, const std::string& item)
{
    if (const auto colour = Colour(ini, item + ".Color"))
        brush.setColor(*colour);
    // Solid, hatched and none; gradients and textures cannot be written as a number.
    if (const auto style = Integer(ini, item + ".Style", Qt::NoBrush, Qt::DiagCrossPattern))
        brush.setStyle(static_cast<Qt::BrushStyle>(*style));
}

void SaveBrush(const QBrush& brush, TIniFile& ini, const std::string& item)
{
    ini.WriteString(Section, item + ".Color", ColourText(brush.color()));
    ini.WriteInteger(Section, item + ".Style", brush.style());
}

void LoadPen(QPen& pen, QPainter::CompositionMode& mode, const TIniFile& ini, const std::string& item)
{
    if (const auto colour = Colour(ini, item + ".Color"))
        pen.setColor(*colour);
    if (const auto style = Integer(ini, item + ".Style", Qt::NoPen, Qt::DashDotDotLine))
        pen.setStyle(static_cast<Qt::PenStyle>(*style));
    if (const auto width = Integer(ini, item + ".Width", 0, 100))
        pen.setWidth(*width);
    if (const auto stored = Integer(ini, item + ".Mode", QPainter::CompositionMode_SourceOver,
                                    QPainter::RasterOp_SourceOrNotDestination))
        mode = static_cast<QPainter::CompositionMode>(*stored);
}

void SavePen(const QPen& pen, QPainter::CompositionMode mode, TIniFile& ini, const std::string& item)
{
    ini.WriteString(Section, item + ".Color", ColourText(pen.color()));
    ini.WriteInteger(Section, item + ".Mode", mode);
    ini.WriteInteger(Section, item + ".Style", pen.style());
    ini.WriteInteger(Section, item + ".Width", pen.width());
}

std::optional<QFont::StyleHint> Pitch(const TIniFile& ini, const std::string& key, bool& fixed)
{
    const std::optional<std::string> text = Text(ini, key);
    if (!text)
        return std::nullopt;
    if (*text == PitchNames[0]) {
        fixed = false;
        return QFont::AnyStyle;
    }
    if (*text == PitchNames[1]) {
        fixed = true;
        return QFont::TypeWriter;
    }
    if (*text == PitchNames[2]) {
        fixed = false;
        return QFont::SansSerif;
    }
    return std::nullopt;
}

// "Bold,Italic"; an empty text is a plain font.
bool ReadStyle(const std::string& text, QFont& font)
{
    QFont styled = font;
    styled.setBold(false);
    styled.setItalic(false);
    styled.setUnderline(false);
    styled.setStrikeOut(false);
    for (const QString& word : QString::fromStdString(text).split(',', Qt::SkipEmptyParts)) {
        const std::string name = word.trimmed().toStdString();
        if (name == StyleBold)
            styled.setBold(true);
        else if (name == StyleItalic)
            styled.setItalic(true);
        else if (name == StyleUnderline)
            styled.setUnderline(true);
        else if (name == StyleStrikeOut)
            styled.setStrikeOut(true);
        else
            return false;
    }
    font = styled;
    return true;
}

std::string StyleText(const QFont& font)
{
    std::string text;
    const auto add = [&text](bool on, const char* word) {
        if (!on)
            return;
        if (!text.empty())
            text += ",";
        text += word;
    };
    add(font.bold(), StyleBold);
    add(font.italic(), StyleItalic);
    add(font.underline(), StyleUnderline);
    add(font.strikeOut(), StyleStrikeOut);
    return text;
}

void LoadFont(QFont& font, QColor& colour, const TIniFile& ini, const std::string& item)
{
    if (const auto name = Text(ini, item + ".Name"); name && !name->empty())
        font.setFamily(QString::fromStdString(*name));
    // The size in points wins; the height in pixels stands in when the size is missing.
    if (const auto size = Integer(ini, item + ".Size", 1, 1000))
        font.setPointSize(*size);
    else if (const auto height = Integer(ini, item + ".Height", 1, 1000))
        font.setPixelSize(*height);
    bool fixed = false;
    if (const auto hint = Pitch(ini, item + ".Pitch", fixed)) {
        font.setStyleHint(*hint);
        font.setFixedPitch(fixed);
    }
    if (const auto style = Text(ini, item + ".Style"))
        ReadStyle(*style, font);
    if (const auto stored = Colour(ini, item + ".Color"))
        colour = *stored;
}

void SaveFont(const QFont& font, const QColor& colour, TIniFile& ini, const std::string& item)
{
    ini.WriteInteger(Section, item + ".Charset", AnsiCharset);
    ini.WriteString(Section, item + ".Color", ColourText(colour));
    const QFontInfo shown(font);
    ini.WriteInteger(Section, item + ".Height", font.pixelSize() > 0 ? font.pixelSize() : shown.pixelSize());
    ini.WriteString(Section, item + ".Name", font.family().toStdString());
    const char* pitch = font.fixedPitch()                         ? PitchNames[1]
                        : font.styleHint() == QFont::AnyStyle ? PitchNames[0]
                                                                  : PitchNames[2];
    ini.WriteString(Section, item + ".Pitch", pitch);
    ini.WriteInteger(Section, item + ".Size", font.pointSize() > 0 ? font.pointSize() : shown.pointSize());
    ini.WriteString(Section, item + ".Style", StyleText(font));
}

std::string ShapeItem(int device, int msn, const char* property)
{
    return "ShpColorToMsn" + std::to_string(device) + std::to_string(msn) + "." + property;
}

}  // namespace

void TOptionsStorage::Load(TUserOptions& options, const TIniFile& ini)
{
    // Which names are pages is the dialog's to judge.
    if (const auto page = Text(ini, "PgCtrlOptions.ActivePage"))
        options.ActivePage = QString::fromStdString(*page);
    for (int d = 1; d <= TUserOptions::Devices; ++d)
        for (int m = 1; m <= 2; ++m)
            LoadBrush(options.ColorToMsn[d - 1][m - 1], ini, ShapeItem(d, m, "Brush"));
    if (const auto timeOut = Integer(ini, "RxSpinComTimeOut.Value", TUserOptions::MinComTimeOut,
                                     TUserOptions::MaxComTimeOut))
        options.ComTimeOut = *timeOut;
    if (const auto fast = Integer(ini, "ChkBxFastTransfer.Checked", 0, 1))
        options.FastTransfer = *fast == 1;
    LoadFont(options.MemoFont, options.MemoFontColor, ini, "LblMemoFont.Font");
    LoadPen(options.ActiveDevicePen, options.ActiveDevicePenMode, ini, "ShpColorActiveDevice.Pen");

    const auto left = Integer(ini, "Left", -100000, 100000);
    const auto top = Integer(ini, "Top", -100000, 100000);
    if (left && top)
        options.Position = QPoint(*left, *top);
    options.Ports.Load(ini);
}

void TOptionsStorage::Save(const TUserOptions& options, TIniFile& ini)
{
    ini.WriteString(Section, "PgCtrlOptions.ActivePage", options.ActivePage.toStdString());
    for (int d = 1; d <= TUserOptions::Devices; ++d)
        for (int m = 1; m <= 2; ++m)
            SaveBrush(options.ColorToMsn[d - 1][m - 1], ini, ShapeItem(d, m, "Brush"));
    ini.WriteInteger(Section, "RxSpinComTimeOut.Value", options.ComTimeOut);
    ini.WriteInteger(Section, "ChkBxFastTransfer.Checked", options.FastTransfer ? 1 : 0);
    SaveFont(options.MemoFont, options.MemoFontColor, ini, "LblMemoFont.Font");
    SavePen(options.ActiveDevicePen, options.ActiveDevicePenMode, ini, "ShpColorActiveDevice.Pen");
    if (options.Position) {
        ini.WriteInteger(Section, "Left", options.Position->x());
        ini.WriteInteger(Section, "Top", options.Position->y());
    }
    options.Ports.Save(ini);
}
