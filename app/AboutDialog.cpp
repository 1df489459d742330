#include "app/AboutDialog.h"

#include <QScreen>
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "app/CaptionedPicture.h"
#include "app/ProjectLinks.h"
#include "controls/BitmapResource.h"
#include "controls/TemplateBuilder.h"
#include "controls/TemplateDialog.h"

namespace varnell {
namespace {

constexpr int kPictureBitmap = 249;

// Template 246, 8 pt.
constexpr int kWidthUnits = 288;
constexpr int kHeightUnits = 161;
constexpr std::array<ControlTemplate, 8> kControls{{
    {AboutDialog::kOk, ControlKind::DefaultPushButton,
     QT_TRANSLATE_NOOP("AboutDialogTemplate", "OK"), 231, 138, 50, 16},
    {0, ControlKind::Picture, "", 7, 7, 274, 53},
    {AboutDialog::kVersion, ControlKind::Caption,
     QT_TRANSLATE_NOOP("AboutDialogTemplate", "Version 2.1"), 214, 61, 55, 8},
    {0, ControlKind::Caption, QT_TRANSLATE_NOOP("AboutDialogTemplate", "Support:"), 20, 75, 43, 8},
    {AboutDialog::kSupportLink, ControlKind::Link, "", 61, 75, 173, 8},
    {0, ControlKind::Caption, QT_TRANSLATE_NOOP("AboutDialogTemplate", "Homepage:"), 20, 95, 43, 8},
    {AboutDialog::kHomePageLink, ControlKind::Link, "", 61, 95, 152, 8},
    {0, ControlKind::Caption,
     QT_TRANSLATE_NOOP("AboutDialogTemplate", "Free to use. Comes with no warranty."), 20, 131, 167,
     8},
}};

}  // namespace

AboutDialog::AboutDialog(Shell& shell, MessageBox& messages, BrowserLauncher& browser,
                         QWidget* owner)
    : QDialog(owner), shell_(shell), messages_(messages), browser_(browser) {
  SetUpTemplateDialog(*this, tr("About"), QSize(kWidthUnits, kHeightUnits));
  CreateControls();
  SetUpLink(supportLink_, SupportPageUrl());
  SetUpLink(homePageLink_, HomePageUrl());
  // OK ends the box through accept(); Escape and the close box through reject().
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutDialog::CreateControls() {
  QLabel* lastCaption = nullptr;
  std::vector<std::pair<QLabel*, HyperLink*>> linkRows;  // each link with the caption before it
  TemplateBuilder builder(*this, TemplateFont::Shell8pt, "AboutDialogTemplate");
  builder.Then(ControlKind::Caption,
               [&lastCaption](const ControlTemplate&, QLabel& caption) { lastCaption = &caption; });
  builder.Then(ControlKind::Picture, [this](const ControlTemplate&, QLabel& picture) {
    picture.setPixmap(LoadCaptionedPicture(kPictureBitmap, devicePixelRatioF()));
    picture_ = &picture;
  });
  builder.Then(ControlKind::Link, [&](const ControlTemplate&, HyperLink& link) {
    linkRows.emplace_back(lastCaption, &link);
  });
  builder.Build(kControls);
  ok_ = builder.control<QPushButton>(kOk);
  supportLink_ = builder.control<HyperLink>(kSupportLink);
  homePageLink_ = builder.control<HyperLink>(kHomePageLink);

  // The template's captions were measured for a narrower font than a Linux desktop's: each
  // keeps its whole text and both links start after the wider one, still in one column.
  int linksLeft = 0;
  for (const auto& [caption, link] : linkRows) {
    if (caption == nullptr) continue;
    FitCaptionToText(*caption);
    const int captionEnd = caption->x() + caption->fontMetrics().horizontalAdvance(caption->text());
    linksLeft = std::max({linksLeft, link->x(), captionEnd + 6});
  }
  for (HyperLink* link : {supportLink_, homePageLink_}) link->move(linksLeft, link->y());
  // A picture control takes the size of its bitmap, whatever the template's rectangle says.
  if (!picture_->pixmap().isNull()) picture_->resize(picture_->pixmap().size());
}

// The links get a 10 point face of the dialog's family (the template's font has no Linux
// counterpart of its own), always underlined, their address as their text.
void AboutDialog::SetUpLink(HyperLink* link, const QString& url) {
  QFont linkFont = font();
  linkFont.setPointSize(10);
  link->setFont(linkFont);
  link->SetServices(&shell_, &messages_, &browser_);
  link->SetURL(url);
  link->SetUnderline(HyperLink::kUnderlineAlways);
}

void AboutDialog::showEvent(QShowEvent* event) {
  if (!initialised_) {
    initialised_ = true;
    CentreOverOwner();
  }
  QDialog::showEvent(event);
}

// Centred on the owner's window, then pushed back inside the owner's screen where the owner
// hangs over its edge; without an owner, centred on the screen.
void AboutDialog::CentreOverOwner() {
  QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
  QScreen* screen = owner != nullptr ? owner->screen() : this->screen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect();
  const QPoint centre = owner != nullptr ? owner->frameGeometry().center() : area.center();
  QRect frame = frameGeometry();
  frame.moveCenter(centre);
  if (area.isValid()) {
    frame.moveLeft(std::clamp(frame.left(), area.left(),
                              std::max(area.left(), area.right() - frame.width() + 1)));
    frame.moveTop(std::clamp(frame.top(), area.top(),
                             std::max(area.top(), area.bottom() - frame.height() + 1)));
  }
  move(frame.topLeft());
}

}  // namespace varnell
