#include "shared/publish.h"

#include "shared/platform.h"
#include "toravi_version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <filesystem>

namespace toravi {

QChar PathSeparator()
{
#ifdef Q_OS_WIN
    return QLatin1Char('\\');
#else
    return QLatin1Char('/');
#endif
}

QString JoinPath(const QString& folder, const QString& name) { return folder + PathSeparator() + name; }

QString LastComponent(const QString& path)
{
    qsizetype cut = path.lastIndexOf(PathSeparator());
#ifdef Q_OS_WIN
    cut = std::max(cut, path.lastIndexOf(QLatin1Char('/')));
#endif
    return cut < 0 ? path : path.mid(cut + 1);
}

QString SafeFileName(const QString& name)
{
    QString last = LastComponent(name);
    if (last == QLatin1String(".") || last == QLatin1String(".."))
        return {};
    return last;
}

QString ResolveProjectSource(const QString& projectFile, const QString& source)
{
    if (source.isEmpty() || !QDir::isRelativePath(source))
        return source;
    QString relative = source;
#ifndef Q_OS_WIN
    // Projects made on Windows separate their folders with backslashes.
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    return QDir::toNativeSeparators(QFileInfo(projectFile).absoluteDir().filePath(relative));
}

QString DriveRootFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\");
#else
    return QDir::homePath();
#endif
}

namespace {
QString& programFolderOverride()
{
    static QString folder;
    return folder;
}

std::filesystem::path fsPath(const QString& p)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(p.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(p).toStdString());
#endif
}
}  // namespace

void SetProgramFolder(const QString& folder) { programFolderOverride() = folder; }

QString ProgramFolder()
{
    if (!programFolderOverride().isEmpty())
        return programFolderOverride();
    QString here = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(here + QStringLiteral("/ptrouge.gif")))
        return QDir::toNativeSeparators(here);
    // Installed: the data folder beside bin.
    QString data = QDir::cleanPath(here + QStringLiteral("/../") + QStringLiteral(TORAVI_DATA_SUBDIR));
    if (QFileInfo::exists(data + QStringLiteral("/ptrouge.gif")))
        return QDir::toNativeSeparators(data);
    return QDir::toNativeSeparators(here);
}

QString ChooseFolder(Platform& platform, const QString& prompt) { return platform.chooseFolder(prompt); }

void MakeImgFolder(const QString& folder)
{
    if (folder.isEmpty())
        return;
    QDir().mkdir(JoinPath(folder, QStringLiteral("img")));
}

void PrepareImgFolder(const QString& folder)
{
    if (folder.isEmpty())
        return;
    MakeImgFolder(folder);
    CopyFileReplacing(JoinPath(ProgramFolder(), QStringLiteral("ptrouge.gif")),
                      JoinPath(JoinPath(folder, QStringLiteral("img")), QStringLiteral("ptrouge.gif")));
}

bool CopyFileReplacing(const QString& source, const QString& target)
{
    if (source.isEmpty() || target.isEmpty())
        return false;
    std::error_code ec;
    const auto src = fsPath(source);
    const auto dst = fsPath(target);
    if (!std::filesystem::is_regular_file(src, ec))
        return false;
    if (std::filesystem::exists(dst, ec) && std::filesystem::equivalent(src, dst, ec))
        return true;
    return std::filesystem::copy_file(src, dst, std::filesystem::copy_options::overwrite_existing, ec) && !ec;
}

QString CopyIntoImg(const QString& source, const QString& folder, bool* copied)
{
    const QString name = LastComponent(source);
    bool ok = false;
    if (!folder.isEmpty() && !name.isEmpty())
        ok = CopyFileReplacing(source, JoinPath(JoinPath(folder, QStringLiteral("img")), name));
    if (copied)
        *copied = ok;
    return name;
}

void OfferToOpenPage(Platform& platform, const QString& pagePath)
{
    const QString text = msg::PageCreated(pagePath) + QLatin1Char('\r') +
                         QStringLiteral("Voulez-vous lancer le navigateur pour voir la page ?");
    if (platform.messageBox(text, kOffer, kTitle) == IDYES)
        platform.shellOpen(pagePath);
}

namespace msg {
QString NotRead(const QString& path) { return QStringLiteral("Le fichier %1 n'a pas pu être lu.").arg(path); }
QString NotSaved(const QString& path) { return QStringLiteral("Le fichier %1 n'a pas pu être enregistré.").arg(path); }
QString PageCreated(const QString& path) { return QStringLiteral("La page Web %1 a été créée.").arg(path); }
QString NotCopied(const QStringList& sources, const QString& where)
{
    if (sources.size() == 1)
        return QStringLiteral("Le fichier %1 n'a pas pu être copié dans le dossier %2.").arg(sources[0], where) +
               QLatin1Char('\r') +
               QStringLiteral("Vérifiez qu'il existe encore, puis choisissez-le à nouveau.");
    QString text = QStringLiteral("Les fichiers suivants n'ont pas pu être copiés dans le dossier %1 :").arg(where);
    for (const QString& s : sources)
        text += QLatin1Char('\r') + s;
    return text + QLatin1Char('\r') + QStringLiteral("Vérifiez qu'ils existent encore, puis choisissez-les à nouveau.");
}
}  // namespace msg

QString VersionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(TORAVI_VERSION_MAJOR)
        .arg(TORAVI_VERSION_MINOR, 2, 10, QLatin1Char('0'))
        .arg(TORAVI_VERSION_PATCH, 4, 10, QLatin1Char('0'));
}

}  // namespace toravi
