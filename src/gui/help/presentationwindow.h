#pragma once
// The presentation windows FAbout and INT_FAbout, and the modules' "Aide" entry.
#include <QString>
#include <QWidget>

namespace toravi {

class AppContext;

enum class HelpModule { Tooltip, DragDrop };

// "Aide": opens toravi.chm of the program folder with the shell when it exists;
// otherwise disables `caller` when `disableCaller` (Form1, IForm1; not Form2),
// clears blnFromLauncher and shows the module's presentation window.
void OpenModuleHelp(AppContext& ctx, HelpModule module, QWidget* caller, bool disableCaller);

// "FAbout" or "INT_FAbout".
QString PresentationWindowName(HelpModule module);

inline const QString kPresentationTitle = QStringLiteral("Toravi - Générateur de page Web interactive - Présentation");
inline const QString kHelpFileName = QStringLiteral("toravi.chm");
// Where suggestions go; the subject names the product.
inline const QString kContactAddress = QStringLiteral("contact@toravi.invalid");
inline const QString kContactMailto = QStringLiteral("mailto:contact@toravi.invalid?subject=Toravi%202");
inline const QString kCompanyText = QStringLiteral("L'équipe Toravi");

// FAbout and INT_FAbout. Its construction is the load step, its close the
// unload step, which gives control back to the launcher or to the module window.
class PresentationWindow : public QWidget {
    Q_OBJECT
public:
    PresentationWindow(AppContext& ctx, HelpModule module, QWidget* parent = nullptr);

    HelpModule module() const { return module_; }
    // FAbout: whether the pointer has already been put on the close button.
    bool pointerPlaced() const { return pointerPlaced_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppContext& ctx_;
    HelpModule module_;
    QWidget* closeButton_ = nullptr;
    bool pointerPlaced_ = false;
};

// Summary lines and guide paragraphs of each window.
QStringList PresentationSummary(HelpModule module);
QStringList PresentationGuide(HelpModule module);

}  // namespace toravi
