#include "platform/linux/settings_tool/qt_settings_window.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <utility>
#include <vector>

#include "common/screen_modes.hpp"
#include "platform/linux/settings_tool/settings_tool_icon.hpp"
#include "platform/linux/shared/qt_units.hpp"

namespace nwmp::linux_platform {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect pixelRect(const TwipRect& twips) {
    return QRect(pixelsX(twips.left), pixelsY(twips.top), pixelsX(twips.width),
                 pixelsY(twips.height));
}

void place(QWidget* control, std::string_view name, std::string_view tooltip,
           const TwipRect& position) {
    control->setObjectName(fromUtf8(name));
    if (!tooltip.empty()) {
        control->setToolTip(fromUtf8(tooltip));
    }
    control->setGeometry(pixelRect(position));
}

// "Command3" -> 3.
int commandNumber(std::string_view name) {
    constexpr std::string_view kPrefix = "Command";
    if (!name.starts_with(kPrefix) || name.size() != kPrefix.size() + 1) {
        return 0;
    }
    return name.back() - '0';
}

// A check box that answers to a click anywhere in its rectangle, not only on its mark and
// caption: the rectangles of the design are laid out for that.
class WholeAreaCheckBox final : public QCheckBox {
  public:
    WholeAreaCheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {}

  protected:
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

// Fixed single border with a close box only.
constexpr Qt::WindowFlags kFrame = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                   Qt::MSWindowsFixedSizeDialogHint;

}  // namespace

QtSettingsWindow::QtSettingsWindow() : QWidget(nullptr, kFrame) {
    setWindowTitle(fromUtf8(kToolWindowTitle));
    setWindowIcon(settingsToolIcon());
    // The design's places are measured for a 9-point Japanese UI face, whose Latin letters are
    // narrower than the usual desktop face's: "mp3" and "wmv" fit their boxes only with it.
    QFont face(QStringLiteral("IPAGothic"), 9);
    face.setStyleHint(QFont::SansSerif);
    setFont(face);
    const QRect client = pixelRect(kToolWindowClient);
    setGeometry(client);
    setFixedSize(client.size());

    std::vector<TabStop> stops;
    buildOptionBoxes(stops);
    buildAssociationBoxes(stops);
    buildOtherControls(stops);
    chainTabOrder(std::move(stops));
}

QtSettingsWindow::~QtSettingsWindow() = default;

void QtSettingsWindow::buildOptionBoxes(std::vector<TabStop>& stops) {
    for (std::size_t i = 0; i < kOptionBoxCount; ++i) {
        const OptionBox& layout = kOptionBoxes[i];
        auto* box = new WholeAreaCheckBox(fromUtf8(layout.caption), this);
        place(box, "Check" + std::to_string(i), layout.tooltip, layout.position);
        // clicked() comes only from the user (mouse or space bar), never from setChecked().
        connect(box, &QCheckBox::clicked, this, [this, i] {
            if (events_.checkClick) {
                events_.checkClick(i);
            }
        });
        checks_[i] = box;
        stops.push_back({layout.tabIndex, box});
    }
}

void QtSettingsWindow::buildAssociationBoxes(std::vector<TabStop>& stops) {
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        const AssociationSlot& layout = kAssociationSlots[i];
        auto* box = new WholeAreaCheckBox(fromUtf8(layout.caption), this);
        place(box, "kanren1_" + std::to_string(i), layout.tooltip, layout.position);
        kanren_[i] = box;
        stops.push_back({layout.tabIndex, box});
    }
}

void QtSettingsWindow::buildOtherControls(std::vector<TabStop>& stops) {
    for (const ControlLayout& layout : kOtherControls) {
        QWidget* control = nullptr;
        switch (layout.kind) {
            case ControlKind::Label:
                control = new QLabel(fromUtf8(layout.caption), this);
                break;
            case ControlKind::ComboBox: {
                auto* combo = new QComboBox(this);
                combo->setEditable(true);
                // The list is fixed: typed text is never added to it, and nothing typed is
                // completed from it, so the text is exactly what the user typed.
                combo->setInsertPolicy(QComboBox::NoInsert);
                combo->setCompleter(nullptr);
                for (const ScreenMode& mode : kScreenModes) {
                    combo->addItem(fromUtf8(mode.text));
                }
                combo->setEditText(fromUtf8(layout.caption));
                // textEdited() is typing only; picking from the list sets the text from code.
                connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this] {
                    if (events_.combo1Change) {
                        events_.combo1Change();
                    }
                });
                combo1_ = combo;
                control = combo;
                break;
            }
            case ControlKind::TextBox: {
                auto* edit = new QLineEdit(fromUtf8(layout.caption), this);
                (layout.name == "Text1" ? text1_ : text2_) = edit;
                control = edit;
                break;
            }
            case ControlKind::Button: {
                auto* button = new QPushButton(fromUtf8(layout.caption), this);
                button->setAutoDefault(false);
                const int number = commandNumber(layout.name);
                connect(button, &QPushButton::clicked, this, [this, number] {
                    if (events_.commandClick) {
                        events_.commandClick(number);
                    }
                });
                control = button;
                break;
            }
        }
        place(control, layout.name, layout.tooltip, layout.position);
        stops.push_back({layout.tabIndex, control});
    }
}

void QtSettingsWindow::chainTabOrder(std::vector<TabStop> stops) {
    std::stable_sort(stops.begin(), stops.end(),
                     [](const TabStop& a, const TabStop& b) { return a.tabIndex < b.tabIndex; });
    // Labels take no focus and so have no place in the chain.
    std::erase_if(stops,
                  [](const TabStop& stop) { return stop.control->focusPolicy() == Qt::NoFocus; });
    for (std::size_t i = 1; i < stops.size(); ++i) {
        setTabOrder(stops[i - 1].control, stops[i].control);
    }
    if (!stops.empty()) {
        stops.front().control->setFocus();
    }
}

bool QtSettingsWindow::isCheckChecked(std::size_t index) const {
    return checks_.at(index)->isChecked();
}

void QtSettingsWindow::setCheckChecked(std::size_t index, bool checked) {
    checks_.at(index)->setChecked(checked);
}

std::string QtSettingsWindow::comboText() const {
    return combo1_->currentText().toStdString();
}

void QtSettingsWindow::setComboText(std::string_view text) {
    combo1_->setEditText(fromUtf8(text));
}

std::string QtSettingsWindow::text1() const {
    return text1_->text().toStdString();
}

void QtSettingsWindow::setText1(std::string_view text) {
    text1_->setText(fromUtf8(text));
}

std::string QtSettingsWindow::text2() const {
    return text2_->text().toStdString();
}

void QtSettingsWindow::setText2(std::string_view text) {
    text2_->setText(fromUtf8(text));
}

bool QtSettingsWindow::isKanrenChecked(std::size_t index) const {
    return kanren_.at(index)->isChecked();
}

void QtSettingsWindow::setKanrenChecked(std::size_t index, bool checked) {
    kanren_.at(index)->setChecked(checked);
}

void QtSettingsWindow::hideWindow() {
    hide();
}

void QtSettingsWindow::closeWindow() {
    if (close() && onClosed_) {
        onClosed_();
    }
}

WindowId QtSettingsWindow::windowId() const {
    return reinterpret_cast<WindowId>(static_cast<const QWidget*>(this));
}

}  // namespace nwmp::linux_platform
