#pragma once
// The project room: the project-file machinery both modules share (here), and
// the module base with its unsaved-change watch and recovery file
// (projectmodule.h). A module describes its file once, as a table of lines;
// reading, checking and writing walk that table.
// Uses the pages room for the page-name rule, never its publishing, and the
// files and platform rooms.
#include "project/projectheader.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace toravi {

class Platform;

// A list line of a project file: every entry followed by ",". A comma inside an
// entry is written "&#44;" and a line break becomes a blank, so that the line
// splits back into the same entries.
QString JoinListLine(const QStringList& entries);
// The entries of a list line: the pieces between commas, all but the last (the
// remainder after the final comma); "&#44;" and "&#N;" are turned back.
QStringList SplitListLine(const QString& line);
// A single-line value of a project file: line breaks become blanks.
QString OneLine(QString value);

enum class FieldKind {
    Text,      // any text, "&#N;" turned back
    Path,      // a source path: relative ones are taken from the project file's folder
    FileName,  // a name inside the working folder: only its last component is kept
    Page,      // the page file name: the page-name rule, or empty (then the refresh default)
    Number,    // decimal digits, else the reset value
    Colour,    // six hexadecimal digits, else the reset value
    Word,      // one of `words`, else the reset value
    List,      // a list line: every entry followed by ","
};

template <class State>
struct ProjectLine {
    // A setting, and for a Word the values the windows offer.
    ProjectLine(int at, FieldKind k, QString State::*f, QStringList w = {})
        : line(at), kind(k), field(f), words(std::move(w))
    {
    }
    // A list line: which of the module's lists.
    ProjectLine(int at, int listIndex) : line(at), kind(FieldKind::List), list(listIndex) {}

    int line;  // its line in a file with the header
    FieldKind kind;
    QString State::*field = nullptr;
    int list = -1;
    QStringList words;
};

// The lines of a project file as read, or why it was refused.
struct ProjectText {
    QStringList lines;  // the first lines only: a project never has more than 39
    QString refusal;    // the message when the file is refused
    bool hasHeader() const;
    QString moduleLine() const;  // "" for a file without header
};

inline constexpr int kHeaderLines = 4;
inline constexpr int kFirstValueLine = kHeaderLines + 1;
// Both modules keep the working folder on this line.
inline constexpr int kFolderLine = 7;

// Reads and checks a file without touching any project: regular files only,
// the size checked before reading, NUL bytes refused, UTF-8 (with or without
// BOM) told apart from Windows-1252.
ProjectText ReadProjectText(const QString& path);
// The value lines of a file for the module whose header line is `moduleLine`
// (lines 5 onward, or from line 1 for a file without header); a refusal is
// shown through the platform and gives nothing.
std::optional<QStringList> ProjectBody(Platform& platform, const QString& path, const QString& moduleLine);

// One value read from a file, checked for its kind; nullopt keeps the reset value.
std::optional<QString> ProjectValue(FieldKind kind, const QString& raw, const QStringList& words,
                                    const QString& projectFile);

// Fills `state` (already reset) and `lists` from the value lines.
template <class State>
void ReadProjectLines(const QList<ProjectLine<State>>& table, const QStringList& body, const QString& projectFile,
                      State& state, QList<QStringList>& lists)
{
    for (const ProjectLine<State>& row : table) {
        const qsizetype at = row.line - kFirstValueLine;
        if (at >= body.size())
            continue;  // a short file keeps the reset values of its missing lines
        if (row.kind == FieldKind::List) {
            if (lists.size() <= row.list)
                lists.resize(row.list + 1);
            lists[row.list] = SplitListLine(body[at]);
        } else if (auto value = ProjectValue(row.kind, body[at], row.words, projectFile)) {
            state.*row.field = *value;
        }
    }
}

// The whole file: the header with `moduleLine`, then one line per table row.
template <class State>
QStringList ProjectFileLines(const QList<ProjectLine<State>>& table, const QString& moduleLine, const State& state,
                             const QList<QStringList>& lists)
{
    QStringList lines = projectheader::Lines(moduleLine);
    for (const ProjectLine<State>& row : table) {
        if (lines.size() < row.line)
            lines.resize(row.line);
        lines[row.line - 1] =
            row.kind == FieldKind::List ? JoinListLine(lists.value(row.list)) : OneLine(state.*row.field);
    }
    return lines;
}

// Writes the lines (each ended by CR LF); a failure is reported through the platform.
bool WriteProjectFile(Platform& platform, const QString& path, const QStringList& lines);

namespace msg {
inline const QString WrongModule =
    QStringLiteral("Ce fichier ne semble pas avoir été enregistré par Le module que vous avez lancé");
}  // namespace msg

}  // namespace toravi
