#include "resources/generator/ButtonCatalogue.h"

#include <QPainter>

#include "resources/generator/FaceContentKit.h"
#include "resources/generator/IconPaths.h"

namespace varnell::skin {

namespace {

using Kit = FaceContentKit;

Silhouette roundedPill(QRectF box, qreal radius) {
  return [box, radius](qreal inset) {
    QPainterPath path;
    const qreal r = std::max<qreal>(radius - inset, 1.0);
    path.addRoundedRect(box.adjusted(inset, inset, -inset, -inset), r, r);
    return path;
  };
}

// The window controls hang from the top edge: only their lower corners are rounded.
Silhouette hangingTab(QRectF box, qreal radius) {
  return [box, radius](qreal inset) {
    QPainterPath path;
    const qreal r = std::max<qreal>(radius - inset, 1.0);
    path.addRoundedRect(box.adjusted(inset, -radius * 2, -inset, -inset), r, r);
    return path;
  };
}

Silhouette glyphOnly(QPainterPath glyph) {
  return [glyph](qreal) { return glyph; };
}

// Badge and glyph at the left of the pill; the caption takes the rest.
FaceContent headerContent(QRectF pill, QPainterPath glyph24) {
  return [=](QPainter& painter, const FaceColours& colours) {
    const QPointF badgeCentre(pill.left() + pill.height() / 2 + 1, pill.center().y());
    Kit::badge(painter, badgeCentre, pill.height() / 2 - 8, colours);
    Kit::glyph(painter,
               IconPaths::fitted(glyph24, QRectF(badgeCentre - QPointF(11, 11), QSizeF(22, 22))),
               colours);
  };
}

CaptionStyle headerCaption(QRectF pill) {
  const qreal badgeRight = pill.left() + pill.height() + 1;
  const QRectF textBox(badgeRight - 6, pill.top(), pill.right() - badgeRight - 2, pill.height());
  return Kit::faceLabel(textBox.translated(0, -1), 19);
}

FaceContent tileContent(QRectF tile, QPainterPath glyph24) {
  return [=](QPainter& painter, const FaceColours& colours) {
    Kit::glyph(painter, IconPaths::fitted(glyph24, Kit::tileIcon(tile)), colours);
  };
}

FaceContent centredGlyph(QRectF box, QPainterPath glyph24) {
  return [=](QPainter& painter, const FaceColours& colours) {
    Kit::glyph(painter, IconPaths::fitted(glyph24, box), colours);
  };
}

constexpr qreal kConvertIconSize = 34;

QRectF convertIcon(QRectF pill) {
  return QRectF(pill.left() + 20, pill.center().y() - kConvertIconSize / 2, kConvertIconSize,
                kConvertIconSize);
}

CaptionStyle convertCaption(QRectF pill) {
  const QRectF icon = convertIcon(pill);
  const QRectF textBox(icon.right() + 4, pill.top(), pill.right() - icon.right() - 18,
                       pill.height());
  return Kit::faceLabel(textBox.translated(0, -1), 25);
}

ButtonDesign headerButton(int id, QString name, QRect rect, QRectF pill, QPainterPath glyph,
                          LookNumbers looks) {
  ButtonDesign design{id, name, rect, FaceFamily::Primary, roundedPill(pill, 14), looks, {}};
  design.caption = CaptionDesign{name, headerCaption(pill)};
  const FaceContent content = headerContent(pill, glyph);
  design.faces.push_back({looks.normal, FaceLook::Normal, content});
  design.faces.push_back({looks.hover, FaceLook::Hover, content});
  if (looks.disabled != 0) design.faces.push_back({looks.disabled, FaceLook::Disabled, content});
  return design;
}

ButtonDesign listTile(int id, QString name, QString caption, QRect rect, QPainterPath glyph,
                      LookNumbers looks) {
  const QRectF tile(3, 3, rect.width() - 6, 47);
  ButtonDesign design{id, name, rect, FaceFamily::Secondary, roundedPill(tile, 10), looks, {}};
  design.caption = CaptionDesign{caption, Kit::tileCaption(tile)};
  const FaceContent content = tileContent(tile, glyph);
  design.faces = {{looks.normal, FaceLook::Normal, content},
                  {looks.hover, FaceLook::Hover, content},
                  {looks.disabled, FaceLook::Disabled, content}};
  return design;
}

std::vector<ButtonDesign> headerButtons() {
  return {
      headerButton(1000, "Add", {12, 23, 137, 60}, {4, 5, 120, 50}, IconPaths::plus(),
                   {177, 178, 177, 0}),
      headerButton(1001, "Clip", {144, 23, 133, 60}, {4, 5, 120, 50}, IconPaths::scissors(),
                   {280, 226, 180, 280}),
      headerButton(1090, "Help", {275, 23, 133, 60}, {5, 5, 120, 50}, IconPaths::questionMark(),
                   {181, 182, 181, 0}),
      headerButton(1006, "Folder", {406, 23, 151, 60}, {5, 5, 140, 50}, IconPaths::folderPlus(),
                   {183, 184, 183, 0}),
  };
}

std::vector<ButtonDesign> listTiles() {
  std::vector<ButtonDesign> tiles = {
      listTile(1092, "Remove", "Remove", {47, 380, 70, 56}, IconPaths::trash(),
               {229, 188, 189, 229}),
      listTile(1095, "Clear All", "Clear All", {166, 380, 72, 56}, IconPaths::broom(),
               {269, 269, 191, 212}),
      listTile(1099, "Merge", "Merge", {291, 380, 70, 56}, IconPaths::mergeArrows(),
               {0, 286, 295, 296}),
      listTile(1102, "File Information", "Info", {413, 380, 68, 53}, IconPaths::info(),
               {261, 244, 243, 261}),
  };
  tiles[2].rectangularWindow = true;
  return tiles;
}

std::vector<ButtonDesign> outputButtons() {
  const QRectF settingPill(3, 3, 110, 34);
  ButtonDesign setting{1115,
                       "Setting",
                       {445, 436, 116, 40},
                       FaceFamily::Secondary,
                       roundedPill(settingPill, 17),
                       {196, 196, 197, 200},
                       {}};
  const Kit::PillLayout settingLayout = Kit::pill(settingPill, 20, "Settings", 13);
  setting.caption = CaptionDesign{"Settings", settingLayout.caption};
  const FaceContent settingContent = centredGlyph(settingLayout.icon, IconPaths::gear());
  setting.faces = {{197, FaceLook::Normal, settingContent},
                   {196, FaceLook::Hover, settingContent},
                   {200, FaceLook::Disabled, settingContent}};

  const QRectF browsePill(3, 3, 104, 27);
  ButtonDesign browse{1076,
                      "Browse",
                      {445, 480, 110, 33},
                      FaceFamily::Secondary,
                      roundedPill(browsePill, 13.5),
                      {199, 199, 199, 0},
                      {}};
  const Kit::PillLayout browseLayout = Kit::pill(browsePill, 17, "Browse", 12);
  browse.caption = CaptionDesign{"Browse", browseLayout.caption};
  browse.faces = {{199, FaceLook::Normal, centredGlyph(browseLayout.icon, IconPaths::folder())}};

  const QRectF findPill(3, 5, 101, 27);
  ButtonDesign find{1005,
                    "Find Target",
                    {562, 478, 107, 33},
                    FaceFamily::Secondary,
                    roundedPill(findPill, 13.5),
                    {204, 204, 204, 0},
                    {}};
  const Kit::PillLayout findLayout = Kit::pill(findPill, 17, "Find Target", 12);
  find.caption = CaptionDesign{"Find Target", findLayout.caption};
  find.faces = {{204, FaceLook::Normal, centredGlyph(findLayout.icon, IconPaths::folderSearch())}};

  const QRectF convertPill(4, 10, 179, 70);
  ButtonDesign convert{1004,
                       "Convert",
                       {669, 429, 187, 81},
                       FaceFamily::Accent,
                       roundedPill(convertPill, 22),
                       {186, 185, 186, 279},
                       {}};
  convert.caption = CaptionDesign{"Convert", convertCaption(convertPill)};
  const FaceContent convertFace = centredGlyph(convertIcon(convertPill), IconPaths::convertCycle());
  convert.faces = {{186, FaceLook::Normal, convertFace},
                   {185, FaceLook::Hover, convertFace},
                   {279, FaceLook::Disabled, convertFace}};
  return {setting, browse, find, convert};
}

std::vector<ButtonDesign> previewButtons() {
  const QRectF playPill(3, 3, 48, 29);
  ButtonDesign play{1003,
                    "Play",
                    {555, 380, 54, 35},
                    FaceFamily::Secondary,
                    roundedPill(playPill, 14.5),
                    {301, 302, 302, 301},
                    {}};
  const QRectF playGlyph = QRectF(playPill.center() - QPointF(10, 10), QSizeF(20, 20));
  play.faces = {{302, FaceLook::Normal, centredGlyph(playGlyph, IconPaths::play())},
                {310, FaceLook::Normal, centredGlyph(playGlyph, IconPaths::pause())},
                {301, FaceLook::Disabled, centredGlyph(playGlyph, IconPaths::play())}};

  const QRectF stopPill(3, 5, 48, 29);
  ButtonDesign stop{1135,
                    "Stop",
                    {609, 378, 70, 35},
                    FaceFamily::Secondary,
                    roundedPill(stopPill, 14.5),
                    {303, 304, 304, 303},
                    {}};
  const QRectF stopGlyph = QRectF(stopPill.center() - QPointF(10, 10), QSizeF(20, 20));
  stop.faces = {{304, FaceLook::Normal, centredGlyph(stopGlyph, IconPaths::stop())},
                {303, FaceLook::Disabled, centredGlyph(stopGlyph, IconPaths::stop())}};

  const QPainterPath speaker = IconPaths::fitted(IconPaths::speaker(), QRectF(-1, 1.5, 23, 23));
  ButtonDesign volume{1137,
                      "Check Volume",
                      {760, 383, 21, 25},
                      FaceFamily::BareGlyph,
                      glyphOnly(speaker),
                      {293, 293, 293, 0},
                      {}};
  volume.hasBody = false;
  volume.faces = {{293, FaceLook::Normal, [speaker](QPainter& painter, const FaceColours& colours) {
                     painter.fillPath(speaker, colours.glyph);
                   }}};
  return {play, stop, volume};
}

std::vector<ButtonDesign> windowControls() {
  struct Control {
    int id;
    QString name;
    QRect rect;
    QRectF tab;
    QPainterPath glyph;
    FaceFamily family;
    LookNumbers looks;
  };
  const Control controls[] = {
      {1098,
       "About",
       {821, 0, 21, 28},
       {1, 0, 19, 22},
       IconPaths::waveBars(),
       FaceFamily::Chrome,
       {253, 253, 254, 0}},
      {1097,
       "Minimise",
       {842, 0, 21, 23},
       {1, 0, 17, 22},
       IconPaths::minus(),
       FaceFamily::Chrome,
       {207, 208, 207, 0}},
      {1096,
       "Close",
       {861, 0, 18, 25},
       {1, 0, 16, 22},
       IconPaths::cross(),
       FaceFamily::ChromeClose,
       {209, 210, 209, 0}},
  };
  std::vector<ButtonDesign> designs;
  for (const Control& control : controls) {
    ButtonDesign design{control.id,
                        control.name,
                        control.rect,
                        control.family,
                        hangingTab(control.tab, 5),
                        control.looks,
                        {}};
    const QRectF glyphBox(control.tab.center() - QPointF(7, 6.5), QSizeF(14, 14));
    const FaceContent content = centredGlyph(glyphBox, control.glyph);
    design.faces = {{control.looks.normal, FaceLook::Normal, content},
                    {control.looks.hover, FaceLook::Hover, content}};
    designs.push_back(design);
  }
  return designs;
}

}  // namespace

std::vector<ButtonDesign> ButtonCatalogue::mainWindow() {
  std::vector<ButtonDesign> all;
  for (auto group :
       {headerButtons(), listTiles(), outputButtons(), previewButtons(), windowControls()})
    all.insert(all.end(), group.begin(), group.end());
  return all;
}

}  // namespace varnell::skin
