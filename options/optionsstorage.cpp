#include "options/optionsstorage.h"

#include "options/colorshape.h"
#include "options/frmoptionsdlg.h"
#include "platform/gui/screenplacement.h"
#include "platform/inifile.h"

#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>

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

void LoadBrush(TColorShape& shape, const TIniFile& ini, const std::string& item)
{
    QBrush brush = shape.Brush();
    if (const auto colour = Colour(ini, item + ".Color"))
        brush.setColor(*colour);
    // Solid, hatched and none; gradients and textures cannot be written as a number.
    if (const auto style = Integer(ini, item + ".Style", Qt::NoBrush, Qt::DiagCrossPattern))
        brush.setStyle(static_cast<Qt::BrushStyle>(*style));
    shape.SetBrush(brush);
}

void SaveBrush(const TColorShape& shape, TIniFile& ini, const std::string& item)
{
    ini.WriteString(Section, item + ".Color", ColourText(shape.Brush().color()));
    ini.WriteInteger(Section, item + ".Style", shape.Brush().style());
}

void LoadPen(TColorShape& shape, const TIniFile& ini, const std::string& item)
{
    QPen pen = shape.Pen();
    if (const auto colour = Colour(ini, item + ".Color"))
        pen.setColor(*colour);
    if (const auto style = Integer(ini, item + ".Style", Qt::NoPen, Qt::DashDotDotLine))
        pen.setStyle(static_cast<Qt::PenStyle>(*style));
    if (const auto width = Integer(ini, item + ".Width", 0, 100))
        pen.setWidth(*width);
    shape.SetPen(pen);
    if (const auto mode = Integer(ini, item + ".Mode", QPainter::CompositionMode_SourceOver,
                                  QPainter::RasterOp_SourceOrNotDestination))
        shape.SetPenMode(static_cast<QPainter::CompositionMode>(*mode));
}

void SavePen(const TColorShape& shape, TIniFile& ini, const std::string& item)
{
    ini.WriteString(Section, item + ".Color", ColourText(shape.Pen().color()));
    ini.WriteInteger(Section, item + ".Mode", shape.PenMode());
    ini.WriteInteger(Section, item + ".Style", shape.Pen().style());
    ini.WriteInteger(Section, item + ".Width", shape.Pen().width());
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

void LoadFont(QLabel& label, const TIniFile& ini, const std::string& item)
{
    QFont font = label.font();
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
    label.setFont(font);
    if (const auto colour = Colour(ini, item + ".Color")) {
        QPalette palette = label.palette();
        palette.setColor(QPalette::WindowText, *colour);
        label.setPalette(palette);
    }
}

void SaveFont(const QLabel& label, TIniFile& ini, const std::string& item)
{
    const QFont& font = label.font();
    ini.WriteInteger(Section, item + ".Charset", AnsiCharset);
    ini.WriteString(Section, item + ".Color", ColourText(label.palette().color(QPalette::WindowText)));
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

void TOptionsStorage::Load(TDlgOptions& dialog, const TIniFile& ini)
{
    if (const auto page = Text(ini, "PgCtrlOptions.ActivePage"))
        if (QWidget* sheet = dialog.PgCtrlOptions->findChild<QWidget*>(QString::fromStdString(*page));
            sheet && dialog.PgCtrlOptions->indexOf(sheet) >= 0)
            dialog.PgCtrlOptions->setCurrentWidget(sheet);
    for (int d = 1; d <= TDlgOptions::Devices; ++d)
        for (int m = 1; m <= 2; ++m)
            LoadBrush(*dialog.ShpColorToMsn(d, m), ini, ShapeItem(d, m, "Brush"));
    if (const auto timeOut = Integer(ini, "RxSpinComTimeOut.Value", dialog.RxSpinComTimeOut->minimum(),
                                     dialog.RxSpinComTimeOut->maximum()))
        dialog.RxSpinComTimeOut->setValue(*timeOut);
    LoadFont(*dialog.LblMemoFont, ini, "LblMemoFont.Font");
    LoadPen(*dialog.ShpColorActiveDevice, ini, "ShpColorActiveDevice.Pen");

    const auto left = Integer(ini, "Left", -100000, 100000);
    const auto top = Integer(ini, "Top", -100000, 100000);
    // A position stored on a screen that has gone since would open the dialog out of sight.
    if (left && top)
        dialog.move(FitOnScreen(QRect(QPoint(*left, *top), dialog.sizeHint()), AvailableScreens()).topLeft());
}

void TOptionsStorage::Save(const TDlgOptions& dialog, TIniFile& ini)
{
    ini.WriteString(Section, "PgCtrlOptions.ActivePage", dialog.PgCtrlOptions->currentWidget()->objectName().toStdString());
    for (int d = 1; d <= TDlgOptions::Devices; ++d)
        for (int m = 1; m <= 2; ++m)
            SaveBrush(*dialog.ShpColorToMsn(d, m), ini, ShapeItem(d, m, "Brush"));
    ini.WriteInteger(Section, "RxSpinComTimeOut.Value", dialog.RxSpinComTimeOut->value());
    SaveFont(*dialog.LblMemoFont, ini, "LblMemoFont.Font");
    SavePen(*dialog.ShpColorActiveDevice, ini, "ShpColorActiveDevice.Pen");
    ini.WriteInteger(Section, "Left", dialog.x());
    ini.WriteInteger(Section, "Top", dialog.y());
}
