#include "platform/linux/player/qt_url_dialog.hpp"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "platform/linux/engine/virtual_keys.hpp"
#include "platform/linux/shared/file_name_bytes.hpp"
#include "platform/linux/shared/qt_units.hpp"
#include "player/url_dialog.hpp"

namespace nwmp::linux_platform {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtUrlDialog::QtUrlDialog()
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      text1_(new QLineEdit(this)),
      command1_(new QPushButton(this)) {
    setWindowTitle(QString());
    setModal(false);
    const int width = pixelsX(kUrlDialogClientWidth);
    const int height = pixelsY(kUrlDialogClientHeight);
    setFixedHeight(height);
    resize(width, height);

    SetText1Text(kUrlPrompt);
    text1_->setGeometry(0, 0, pixelsX(kUrlDialogClientWidth - kUrlButtonRoom), height);
    text1_->installEventFilter(this);
    command1_->setText(fromUtf8(kCommand1Caption));
    command1_->setToolTip(fromUtf8(kCommand1ToolTip));
    command1_->setAutoDefault(false);
    command1_->setGeometry(pixelsX(kUrlDialogClientWidth - kUrlButtonRoom), 0,
                           pixelsX(kUrlButtonRoom), height);
    // Command1 comes first in the tab order, then Text1.
    setTabOrder(command1_, text1_);
    command1_->setFocus();

    connect(command1_, &QPushButton::clicked, this, [this] {
        if (core_ != nullptr) {
            core_->Command1_Click();
        }
    });
}

void QtUrlDialog::Show() {
    show();
    raise();
    activateWindow();
}

void QtUrlDialog::SetLeft(double twips) {
    move(pixelsX(twips), frameGeometry().y());
}

void QtUrlDialog::SetTop(double twips) {
    move(frameGeometry().x(), pixelsY(twips));
}

double QtUrlDialog::Width() const {
    return frameGeometry().width() * twipsPerPixelX();
}

void QtUrlDialog::SetWidth(double twips) {
    const int frame = frameGeometry().width() - width();
    resize(std::max(1, pixelsX(twips) - frame), height());
}

std::string QtUrlDialog::Text1Text() const {
    // A path shown decoded goes back as the bytes it came as, while nobody has edited it.
    if (text1Pending_ || text1_->text() == shownText1_) {
        return text1Bytes_;
    }
    return text1_->text().toStdString();
}

void QtUrlDialog::SetText1Text(std::string_view text) {
    text1Bytes_ = std::string(text);
    shownText1_ = shownName(text);
    // Laying out text loads its fonts, a Japanese one for the prompt: megabytes that a player
    // whose user never opens this dialog does not need.
    text1Pending_ = !isVisible();
    if (!text1Pending_) {
        text1_->setText(shownText1_);
    }
}

void QtUrlDialog::showEvent(QShowEvent* event) {
    if (std::exchange(text1Pending_, false)) {
        text1_->setText(shownText1_);
    }
    QDialog::showEvent(event);
}

void QtUrlDialog::SetText1Width(double twips) {
    text1_->resize(std::max(0, pixelsX(twips)), text1_->height());
}

void QtUrlDialog::SetCommand1Left(double twips) {
    command1_->move(pixelsX(twips), command1_->y());
}

void QtUrlDialog::Unload() {
    core_ = nullptr;
    hide();
}

bool QtUrlDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text1_ && core_ != nullptr) {
        if (event->type() == QEvent::FocusIn) {
            core_->Text1_GotFocus();
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const std::int16_t pressed = engine::virtualKeyFor(key->key(), key->modifiers());
            std::int16_t code = pressed;
            core_->Text1_KeyDown(code, engine::shiftStateFor(key->modifiers()));
            // A key the dialog acted on (Enter) is not the text box's any more.
            if (pressed != 0 && code == 0) {
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void QtUrlDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && onActivated_) {
        onActivated_();
    }
}

}  // namespace nwmp::linux_platform
