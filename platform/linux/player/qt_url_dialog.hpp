#pragma once

// The URL dialog on Qt: one line high, with the text box Text1 and the button Command1 right of
// it; its logic is the core's URL.

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "player/url_dialog_window.hpp"

class QLineEdit;
class QPushButton;

namespace nwmp {
class URL;
}

namespace nwmp::linux_platform {

class QtUrlDialog final : public QDialog, public UrlDialogWindow {
  public:
    QtUrlDialog();

    void setCore(URL* core) { core_ = core; }
    // Called whenever the dialog becomes the active window.
    void setOnActivated(std::function<void()> onActivated) {
        onActivated_ = std::move(onActivated);
    }

    QLineEdit* text1() const { return text1_; }
    QPushButton* command1() const { return command1_; }

    // UrlDialogWindow
    bool Visible() const override { return isVisible(); }
    void Show() override;
    void Hide() override { hide(); }
    void SetLeft(double twips) override;
    void SetTop(double twips) override;
    double Width() const override;
    void SetWidth(double twips) override;
    std::string Text1Text() const override;
    void SetText1Text(std::string_view text) override;
    void SetText1Width(double twips) override;
    void SetCommand1Left(double twips) override;
    void Unload() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    URL* core_ = nullptr;
    QLineEdit* text1_;
    // What the core last put into Text1, and how it is shown.
    std::string text1Bytes_;
    QString shownText1_;
    bool text1Pending_ = false;  // not yet in the text box, which is not shown yet
    QPushButton* command1_;
    std::function<void()> onActivated_;
};

}  // namespace nwmp::linux_platform
