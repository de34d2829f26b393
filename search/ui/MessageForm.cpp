#include "search/ui/MessageForm.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace {

struct TButtonLook {
  TMessageButton button;
  const char* caption;
  int result;
  const char* themeIcon;  // empty: no glyph
  QStyle::StandardPixmap fallback;
  const char* name;
};

const TButtonLook kButtonLooks[] = {
    {TMessageButton::Yes, "&Yes", mrYes, "dialog-ok-apply", QStyle::SP_DialogYesButton, "Yes"},
    {TMessageButton::No, "&No", mrNo, "dialog-cancel", QStyle::SP_DialogNoButton, "No"},
    {TMessageButton::OK, "OK", mrOk, "dialog-ok", QStyle::SP_DialogOkButton, "OK"},
    {TMessageButton::Cancel, "Cancel", mrCancel, "dialog-cancel", QStyle::SP_DialogCancelButton, "Cancel"},
    {TMessageButton::Abort, "&Abort", mrAbort, "process-stop", QStyle::SP_BrowserStop, "Abort"},
    {TMessageButton::Retry, "&Retry", mrRetry, "view-refresh", QStyle::SP_BrowserReload, "Retry"},
    {TMessageButton::Ignore, "&Ignore", mrIgnore, "go-next", QStyle::SP_ArrowForward, "Ignore"},
    {TMessageButton::All, "&All", mrAll, "dialog-ok-apply", QStyle::SP_DialogApplyButton, "All"},
    {TMessageButton::NoToAll, "N&o to All", mrNoToAll, "", QStyle::SP_CustomBase, "NoToAll"},
    {TMessageButton::YesToAll, "Yes to &All", mrYesToAll, "dialog-ok-apply", QStyle::SP_DialogApplyButton, "YesToAll"},
    {TMessageButton::Help, "&Help", mrNone, "help-contents", QStyle::SP_DialogHelpButton, "Help"},
};

struct TKindLook {
  const char* title;  // null: the application's title
  const char* themeIcon;
  QStyle::StandardPixmap fallback;
};

TKindLook LookOf(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Warning: return {"Warning", "dialog-warning", QStyle::SP_MessageBoxWarning};
    case TMessageKind::Error: return {"Error", "dialog-error", QStyle::SP_MessageBoxCritical};
    case TMessageKind::Information: return {"Information", "dialog-information", QStyle::SP_MessageBoxInformation};
    case TMessageKind::Confirmation: return {"Confirm", "dialog-question", QStyle::SP_MessageBoxQuestion};
    case TMessageKind::Custom: break;
  }
  return {nullptr, "", QStyle::SP_CustomBase};
}

QIcon Glyph(const char* themeName, QStyle::StandardPixmap fallback, const QStyle* style) {
  if (*themeName == '\0') return {};
  const QIcon themed = QIcon::fromTheme(themeName);
  return themed.isNull() ? style->standardIcon(fallback) : themed;
}

bool Has(const TMessageButtons& buttons, TMessageButton button) {
  return std::find(buttons.begin(), buttons.end(), button) != buttons.end();
}

std::optional<TMessageButton> FirstPresent(const TMessageButtons& buttons, std::initializer_list<TMessageButton> order) {
  for (TMessageButton button : order) {
    if (Has(buttons, button)) return button;
  }
  return std::nullopt;
}

}  // namespace

std::optional<TMessageButton> DefaultButton(const TMessageButtons& buttons) {
  return FirstPresent(buttons, {TMessageButton::OK, TMessageButton::Yes, TMessageButton::Retry});
}

std::optional<TMessageButton> CancelButton(const TMessageButtons& buttons) {
  return FirstPresent(buttons, {TMessageButton::Cancel, TMessageButton::No, TMessageButton::OK});
}

TMessageForm::TMessageForm(const QString& message, TMessageKind kind, const TMessageButtons& buttons,
                           int helpContext, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), helpContext_(helpContext) {
  setObjectName("MessageForm");
  setFont(QApplication::font("QMessageBox"));  // the system's message font, not the owner's
  const TKindLook look = LookOf(kind);
  setWindowTitle(look.title != nullptr ? QString(look.title) : QGuiApplication::applicationDisplayName());

  const QIcon icon = Glyph(look.themeIcon, look.fallback, style());
  if (!icon.isNull()) {
    image_ = new QLabel(this);
    image_->setObjectName("Image");
    image_->setPixmap(icon.pixmap(32, 32));
    image_->setFixedSize(32, 32);
  }
  message_ = new QLabel(this);
  message_->setObjectName("Message");
  message_->setTextFormat(Qt::PlainText);
  message_->setWordWrap(true);
  message_->setText(message);

  const std::optional<TMessageButton> defaultButton = DefaultButton(buttons);
  for (const TButtonLook& button : kButtonLooks) {
    if (!Has(buttons, button.button)) continue;
    auto* push = new QPushButton(Glyph(button.themeIcon, button.fallback, style()), button.caption, this);
    push->setObjectName(button.name);
    push->setAutoDefault(false);
    push->setDefault(defaultButton == button.button);
    const int result = button.result;
    if (button.button == TMessageButton::Help) {
      connect(push, &QPushButton::clicked, this, [this] { emit HelpRequested(helpContext_); });
    } else {
      connect(push, &QPushButton::clicked, this, [this, result] { done(result); });
    }
    buttons_.emplace_back(button.button, push);
  }
  if (defaultButton) Button(*defaultButton)->setFocus();
  LayOut(message, image_ != nullptr);
}

QPushButton* TMessageForm::Button(TMessageButton button) const {
  for (const auto& [kind, push] : buttons_) {
    if (kind == button) return push;
  }
  return nullptr;
}

// Distances in quarters of the average character width and eighths of the line height.
void TMessageForm::LayOut(const QString& message, bool withIcon) {
  const QFontMetrics metrics(message_->font());
  const double w = metrics.averageCharWidth();
  const double h = metrics.height();
  const auto across = [w](int quarters) { return static_cast<int>(std::lround(quarters * w / 4)); };
  const auto down = [h](int eighths) { return static_cast<int>(std::lround(eighths * h / 8)); };

  const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  const int maxTextWidth = screen != nullptr ? screen->availableGeometry().width() / 2 : 400;
  const QRect textBounds =
      metrics.boundingRect(QRect(0, 0, maxTextWidth, 0), Qt::TextWordWrap | Qt::TextExpandTabs, message);
  const int iconWidth = withIcon ? 32 + across(10) : 0;
  const int textHeight = withIcon ? std::max(textBounds.height(), 32) : textBounds.height();

  int buttonWidth = across(50);
  int buttonHeight = down(14);
  for (const auto& entry : buttons_) {
    buttonWidth = std::max(buttonWidth, entry.second->sizeHint().width() + 8);
    buttonHeight = std::max(buttonHeight, entry.second->sizeHint().height());
  }
  const int count = static_cast<int>(buttons_.size());
  const int gap = across(4);
  const int rowWidth = count * buttonWidth + std::max(count - 1, 0) * gap;
  const int marginX = across(8);
  const int marginY = down(8);
  const int contentWidth = std::max(iconWidth + textBounds.width(), rowWidth);

  if (image_ != nullptr) image_->move(marginX, marginY);
  message_->setGeometry(marginX + iconWidth, marginY, textBounds.width() + 1, textHeight);
  message_->setAlignment(Qt::AlignLeft | (withIcon ? Qt::AlignVCenter : Qt::AlignTop));
  int x = marginX + (contentWidth - rowWidth) / 2;
  const int y = marginY + textHeight + down(10);
  for (const auto& entry : buttons_) {
    entry.second->setGeometry(x, y, buttonWidth, buttonHeight);
    x += buttonWidth + gap;
  }
  setFixedSize(contentWidth + 2 * marginX, y + buttonHeight + marginY);
}

void TMessageForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    std::vector<TMessageButton> present;
    for (const auto& entry : buttons_) present.push_back(entry.first);
    if (const auto cancel = CancelButton(present)) Button(*cancel)->click();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TMessageForm::reject() { done(mrCancel); }

int ShowMessageDialog(const QString& message, TMessageKind kind, const TMessageButtons& buttons, int helpContext,
                      QWidget* parent) {
  if (parent == nullptr) parent = QApplication::activeWindow();
  TMessageForm form(message, kind, buttons, helpContext, parent);
  if (parent != nullptr) form.move(parent->frameGeometry().center() - form.rect().center());
  return form.exec();
}
