#include "app/formstate.h"

#include "app/inifile.h"
#include "app/translation.h"

namespace {
constexpr QSize kStandardSize(1024, 690);

std::optional<quint32> parseColor(QString text) {
    text = text.trimmed();
    bool ok = false;
    qint64 value = 0;
    if (text.startsWith(QLatin1Char('$')))
        value = text.mid(1).toLongLong(&ok, 16);
    else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toLongLong(&ok, 16);
    else
        value = text.toLongLong(&ok, 10);
    // Delphi writes colours as signed integers: clBtnFace is -2147483633.
    if (!ok || value < INT32_MIN || value > UINT32_MAX) return std::nullopt;
    return quint32(value);
}

struct SystemColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Windows COLOR_* indexes and the palette entry that plays the same part here.
constexpr SystemColor kSystemColors[] = {
    {QPalette::Active, QPalette::Window},           // 0 scroll bar
    {QPalette::Active, QPalette::Window},           // 1 desktop
    {QPalette::Active, QPalette::Highlight},        // 2 active caption
    {QPalette::Inactive, QPalette::Highlight},      // 3 inactive caption
    {QPalette::Active, QPalette::Window},           // 4 menu
    {QPalette::Active, QPalette::Base},             // 5 window
    {QPalette::Active, QPalette::WindowText},       // 6 window frame
    {QPalette::Active, QPalette::WindowText},       // 7 menu text
    {QPalette::Active, QPalette::WindowText},       // 8 window text
    {QPalette::Active, QPalette::HighlightedText},  // 9 caption text
    {QPalette::Active, QPalette::Window},           // 10 active border
    {QPalette::Inactive, QPalette::Window},         // 11 inactive border
    {QPalette::Active, QPalette::Dark},             // 12 application workspace
    {QPalette::Active, QPalette::Highlight},        // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},  // 14 highlight text
    {QPalette::Active, QPalette::Button},           // 15 button face
    {QPalette::Active, QPalette::Dark},             // 16 button shadow
    {QPalette::Disabled, QPalette::Text},           // 17 grey text
    {QPalette::Active, QPalette::ButtonText},       // 18 button text
    {QPalette::Disabled, QPalette::WindowText},     // 19 inactive caption text
    {QPalette::Active, QPalette::Light},            // 20 button highlight
    {QPalette::Active, QPalette::Shadow},           // 21 3D dark shadow
    {QPalette::Active, QPalette::Midlight},         // 22 3D light
    {QPalette::Active, QPalette::ToolTipText},      // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},      // 24 info background
    {QPalette::Active, QPalette::Button},           // 25 (not used by Windows)
    {QPalette::Active, QPalette::Link},             // 26 hot-tracked item
    {QPalette::Active, QPalette::Highlight},        // 27 gradient of the active caption
    {QPalette::Inactive, QPalette::Highlight},      // 28 gradient of the inactive caption
    {QPalette::Active, QPalette::Highlight},        // 29 menu highlight
    {QPalette::Active, QPalette::Window},           // 30 menu bar
};
}  // namespace

TColorScheme LoadColorScheme(const TIniFile& ini, const QString& tenant) {
    TColorScheme scheme;
    const QString section = QStringLiteral("Colors-") + tenant;
    scheme.Name = ini.ReadString(section, QStringLiteral("Name"), _("Standard"));
    for (int i = 0; i < 6; ++i) {
        const QString key = QStringLiteral("Color") + QString::number(i + 1);
        if (const auto color = parseColor(ini.ReadString(section, key, QString())))
            scheme.Colors[i] = *color;
    }
    return scheme;
}

QColor WinColorToQColor(quint32 value, const QPalette& palette) {
    if (value & 0x80000000u) {
        const quint32 index = value & 0xFFu;
        // Windows has no colour for other indexes; the button face is the least surprising.
        const SystemColor entry = index < std::size(kSystemColors)
                                      ? kSystemColors[index]
                                      : SystemColor{QPalette::Active, QPalette::Button};
        return palette.color(entry.group, entry.role);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

int LoadScreenResolution(const TIniFile& ini) {
    return ini.ReadInteger(QStringLiteral("Forms"), QStringLiteral("Screenresolution"), 1);
}

namespace {
QRect standardBounds(const QRect& workArea) {
    QRect bounds(QPoint(), kStandardSize);
    if (workArea.width() >= kStandardSize.width() && workArea.height() >= kStandardSize.height())
        bounds.moveCenter(workArea.center());
    else
        bounds.moveTopLeft(workArea.topLeft());
    return bounds;
}
}  // namespace

QRect MainWindowBounds(int screenResolution, const QRect& workArea, const QRect& designed) {
    switch (screenResolution) {
        case 0:
            return standardBounds(workArea);
        case 1:
            return workArea;
        default:
            return designed;
    }
}

QRect DialogBounds(int screenResolution, const QRect& workArea) {
    if (workArea.width() < kStandardSize.width()) return QRect(workArea.topLeft(), kStandardSize);
    return MainWindowBounds(screenResolution, workArea, QRect());
}
