#pragma once
// The tiny adapter through which the core tests run every case for both modules.
#include "dragdrop/dragdropmodule.h"
#include "files/files.h"
#include "files/filewriter.h"
#include "files/textfile.h"
#include "project/projectheader.h"
#include "support/scriptedplatform.h"
#include "support/testsupport.h"
#include "tooltip/tooltipmodule.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace toravi::test {

// What the shared machinery must do the same way in both modules: the common
// operations through the modules' own base, the state through these few fields.
struct Module {
    virtual ~Module() = default;
    virtual ProjectModule& ops() = 0;
    virtual QString moduleLine() const = 0;
    // Lines 5 to the last of a project in `src`/`work` where every value differs.
    virtual QStringList body(const QString& src, const QString& work) const = 0;
    virtual QStringList savedLines() = 0;  // the file the state would be saved as
    virtual void plainBackground() = 0;    // "Fond uniforme" / the page colour
    virtual void chooseReference() = 0;
    virtual void chooseBackground() = 0;
    virtual QString& folder() = 0;
    virtual QString& page() = 0;
    virtual QString& title() = 0;      // the displayed title
    virtual QString& reference() = 0;  // source of the reference picture
    virtual QString& referenceName() = 0;
    virtual QString& background() = 0;
    virtual QString& backgroundName() = 0;
    virtual QString script() const = 0;  // the page's script file name
    bool load(const QString& path, const QString& folder = {}) { return ops().LoadProjectFile(path, folder); }
    bool save(const QString& path)
    {
        platform.queueSaveFile(path);
        return ops().SaveProject();
    }
    bool create() { return ops().CreatePage(); }
    bool validate() { return ops().Validate(); }
    void reset() { ops().ResetProject(); }
    void reinit() { ops().ReinitWithQuestion(); }
    void refreshDefaults() { ops().ApplyRefreshDefaults(); }
    ScriptedPlatform platform;
};

template <class M>
struct ModuleOf : Module {
    M m{platform};
    ProjectModule& ops() override { return m; }
    QStringList savedLines() override
    {
        if constexpr (std::is_same_v<M, TooltipModule>)
            return TooltipProjectLines(m.state);
        else
            return DragDropProjectLines(m.state);
    }
    void plainBackground() override
    {
        if constexpr (std::is_same_v<M, TooltipModule>)
            m.PlainBackground();
        else
            m.PageColour();
    }
    void chooseReference() override { m.ChooseReferencePicture(); }
    void chooseBackground() override { m.ChooseBackgroundPicture(); }
    QString& folder() override { return m.state.strFolderName; }
    QString& page() override { return m.state.strPageWeb; }
    QString& title() override { return m.state.strAffiche; }
    QString& reference() override { return m.state.strOrigImageFile; }
    QString& referenceName() override { return m.state.strImageFile; }
    QString& background() override { return m.state.strOrigBackgroundImage; }
    QString& backgroundName() override { return m.state.strBackgroundImage; }
};

struct Tooltip : ModuleOf<TooltipModule> {
    QString moduleLine() const override { return QStringLiteral("<Module Interact>"); }
    QString script() const override { return QStringLiteral("interact.js"); }
    QStringList body(const QString& src, const QString& work) const override
    {
        // clang-format off
        return {JoinPath(src, "scene.gif"), JoinPath(src, "fond.gif"), work, JoinPath(work, "lecon.htm"), "Titre",
                "Description", "Affiché", "scene.gif", "300", "400", "fond.gif", "12,40,", "18,46,",
                "Le phare,La for&#44;êt,", "112233", "16", "445566", "778899", "font-weight:bold;", "",
                "text-decoration:underline;", "right", "6", "AABBCC", "bold", "", "underlined"};
        // clang-format on
    }
};

struct DragDrop : ModuleOf<DragDropModule> {
    QString moduleLine() const override { return QStringLiteral("<Module Drag&Drop>"); }
    QString script() const override { return QStringLiteral("ordre.js"); }
    QStringList body(const QString& src, const QString& work) const override
    {
        // clang-format off
        return {JoinPath(src, "scene.gif"), JoinPath(src, "fond.gif"), work, JoinPath(work, "lecon.htm"), "Mon titre",
                "Ligne 1<br>Ligne 2", "Affiché", "scene.gif", "300", "400", "fond.gif", "112233", "16", "445566",
                "778899", "font-weight:bold;", "", "text-decoration:underline;", "droite", "26", "AABBCC", "bold",
                "italic", "underlined", "DDEEFF", "Faux", JoinPath(src, "chat.gif,") + JoinPath(src, "a.b.gif,"),
                "chat.gif,a.b.gif,", "vrai", "faux", "Le chat,Objet A,", "Vrai", JoinPath(src, "aide.htm"), "aide.htm",
                "Aide ici"};
        // clang-format on
    }
};

inline std::unique_ptr<Module> MakeModule(const QString& name)
{
    if (name == QLatin1String("tooltip"))
        return std::make_unique<Tooltip>();
    return std::make_unique<DragDrop>();
}

// Data rows "tooltip" and "dragdrop" for a test that runs in both modules.
inline void BothModules()
{
    QTest::addColumn<QString>("module");
    QTest::newRow("tooltip") << QStringLiteral("tooltip");
    QTest::newRow("dragdrop") << QStringLiteral("dragdrop");
}

// A project file as a teacher's disk holds it: Windows-1252, CR LF.
inline QString WriteProject(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += EncodeWindows1252(l) + "\r\n";
    WriteBytes(path, bytes);
    return path;
}

// A scratch place with a source folder of pictures and a working folder.
struct Scratch {
    QTemporaryDir tmp;
    // Native paths, as the folder dialog gives them.
    QString src = QDir::toNativeSeparators(tmp.filePath(QStringLiteral("src")));
    QString work = QDir::toNativeSeparators(tmp.filePath(QStringLiteral("work")));
    Scratch()
    {
        QDir().mkpath(src);
        QDir().mkpath(work);
        WriteBytes(src + "/scene.gif", GifBytes(300, 400));
        WriteBytes(src + "/fond.gif", GifBytes(10, 10));
        WriteBytes(src + "/chat.gif", GifBytes(100, 50));
        WriteBytes(src + "/a.b.gif", GifBytes(120, 60));
        WriteBytes(src + "/aide.htm", "<p>aide</p>");
    }
    // `module`'s full project, saved in src.
    QString project(const Module& module, const QString& name = QStringLiteral("p.txt"))
    {
        return WriteProject(src + "/" + name, projectheader::Lines(module.moduleLine()) + module.body(src, work));
    }
};

// A module with its full project loaded and a page made once.
inline std::unique_ptr<Module> Published(Scratch& at, const QString& module)
{
    auto m = MakeModule(module);
    m->load(at.project(*m));
    m->refreshDefaults();
    m->platform.queueMessage(IDNO);
    m->create();
    m->platform.clear();
    return m;
}

}  // namespace toravi::test
