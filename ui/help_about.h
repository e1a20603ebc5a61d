// The help window with the usage text and the About window with title, version and the
// system-information button.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <functional>

#include "ui/controls.h"

namespace vapomet::ui {

// The usage text as the help window's text box holds it (CRLF line ends).
QString UsageText();
inline const QString kAboutTitle =
    QStringLiteral("Thermodynamic Properties of Water and Steam as per IAPWS Formulations- 1997");

// A modeless window closed by its "OK" button, which Enter and Esc press.
class OkWindow : public QDialog {
    Q_OBJECT
  public:
    using QDialog::QDialog;
    CommandButton* cmdOK = nullptr;

  signals:
    void unloaded();

  public slots:
    void accept() override { close(); }
    void reject() override { close(); }

  protected:
    void closeEvent(QCloseEvent* event) override;
};

class FrmHelp : public OkWindow {
    Q_OBJECT
  public:
    FrmHelp();
    QPlainTextEdit* Usg = nullptr;
};

class FrmAbout : public OkWindow {
    Q_OBJECT
  public:
    explicit FrmAbout(QWidget* owner);
    FitLabel* lblTitle = nullptr;
    FitLabel* lblVersion = nullptr;
    FitLabel* lblDisclaimer = nullptr;
    CommandButton* cmdSysInfo = nullptr;

  signals:
    void sysInfoClicked();
};

}  // namespace vapomet::ui
