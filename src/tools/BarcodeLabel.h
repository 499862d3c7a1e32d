#pragma once
// The shelf label of an item: the label settings file BCParam.txt and the label page
// (128.9 x 23.7 mm, no margins) with the item's description on top and its barcode under it.
//
//   kv::tools::LabelSettings ls = kv::tools::readLabelSettings(kv::tools::labelSettingsFile());
//   ...                                   // the label window edits the seven texts
//   kv::tools::writeLabelSettings(kv::tools::labelSettingsFile(), ls);
//   auto place = ls.placement();          // nullopt when Left/Top/Width/Height are not whole numbers
//   kv::tools::Document doc = kv::tools::labelDocument(descr, symbolImage, *place);
//
// The file holds seven lines in this order: Left, Top, Module, Width, Height, Angle, S.Left.
// A missing file gives the defaults; a short or damaged file keeps what it has on its first lines
// and takes the defaults for the rest (a line is taken as typed, trimmed; over-long lines are cut).
#include "tools/Page.h"
#include <QImage>
#include <QString>
#include <optional>

namespace kv::tools {

struct LabelPlacement {
    int left = 66, top = 31, width = 175, height = 88; // label units (labelUnitMm)
};

struct LabelSettings {
    QString left = QStringLiteral("66");
    QString top = QStringLiteral("31");
    QString module = QStringLiteral("0.20");
    QString width = QStringLiteral("175");
    QString height = QStringLiteral("88");
    QString angle = QStringLiteral("0");
    QString sLeft = QStringLiteral("0");

    // "Reset": Left, Top, Width and Height back to their defaults (Module, Angle, S.Left stay).
    void resetPlacement();
    std::optional<LabelPlacement> placement() const;
    friend bool operator==(const LabelSettings&, const LabelSettings&) = default;
};

// Longest entry of each field as typed in the window (0 = no limit).
constexpr int labelLeftMax = 3, labelTopMax = 3, labelWidthMax = 3, labelHeightMax = 2, labelAngleMax = 2,
              labelSLeftMax = 2;

// The settings file of this workstation: core::programFile("BCParam.txt").
QString labelSettingsFile();
LabelSettings readLabelSettings(const QString& path);
// Replaces the file; false when it cannot be written.
bool writeLabelSettings(const QString& path, const LabelSettings& s);

// Size of a label unit: Left, Top, Width and Height count these. The default placement
// (66, 31, 175, 88) puts the symbol under the description and inside the label.
constexpr double labelUnitMm = 0.19;
constexpr double labelWidthMm = 128.9, labelHeightMm = 23.7;

// One label page: the description (12 pt, broken at spaces) near the top, the symbol picture
// stretched to the placement. A null symbol prints the description alone.
Document labelDocument(const QString& description, const QImage& symbol, const LabelPlacement& place);

} // namespace kv::tools
