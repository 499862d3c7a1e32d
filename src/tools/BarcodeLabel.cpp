#include "tools/BarcodeLabel.h"

#include "core/Paths.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace kv::tools {

namespace {

constexpr qint64 kMaxFileBytes = 4096; // seven short lines; anything bigger is not ours

std::optional<int> whole(const QString& s)
{
    bool ok = false;
    const int v = s.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

void LabelSettings::resetPlacement()
{
    const LabelSettings d;
    left = d.left;
    top = d.top;
    width = d.width;
    height = d.height;
}

std::optional<LabelPlacement> LabelSettings::placement() const
{
    const auto l = whole(left), t = whole(top), w = whole(width), h = whole(height);
    if (!l || !t || !w || !h)
        return std::nullopt;
    return LabelPlacement{*l, *t, *w, *h};
}

QString labelSettingsFile()
{
    return core::programFile(QStringLiteral("BCParam.txt"));
}

LabelSettings readLabelSettings(const QString& path)
{
    LabelSettings s;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return s;
    const QByteArray bytes = f.read(kMaxFileBytes);
    if (bytes.contains('\0'))
        return s; // not a text file
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    QString* fields[] = {&s.left, &s.top, &s.module, &s.width, &s.height, &s.angle, &s.sLeft};
    const int limits[] = {labelLeftMax, labelTopMax, 0, labelWidthMax, labelHeightMax, labelAngleMax, labelSLeftMax};
    for (int i = 0; i < 7 && i < lines.size(); ++i) {
        QString v = lines[i].trimmed();
        if (v.isEmpty())
            continue; // a blank line keeps the default
        if (limits[i] > 0 && v.size() > limits[i])
            v.truncate(limits[i]);
        if (i != 2 && v.size() > 16)
            continue;
        *fields[i] = v;
    }
    return s;
}

bool writeLabelSettings(const QString& path, const LabelSettings& s)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QStringList lines = {s.left, s.top, s.module, s.width, s.height, s.angle, s.sLeft};
    f.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return f.commit();
}

Document labelDocument(const QString& description, const QImage& symbol, const LabelPlacement& place)
{
    Document doc;
    doc.setup = PageSetup::custom(labelWidthMm, labelHeightMm);
    doc.title = description;
    Page& p = doc.addPage();
    const QFont font = printFont(12);
    // The description across the label near the top, broken at spaces.
    const double line = lineHeightMm(font);
    TextItem& t = p.text(QRectF(2, 0.5, labelWidthMm - 4, line * 1.05), description, font,
                         Qt::AlignHCenter | Qt::AlignTop);
    t.wrap = true;
    if (!symbol.isNull())
        p.image(QRectF(place.left * labelUnitMm, place.top * labelUnitMm, place.width * labelUnitMm,
                       place.height * labelUnitMm),
                symbol);
    return doc;
}

} // namespace kv::tools
