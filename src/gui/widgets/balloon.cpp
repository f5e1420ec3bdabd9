#include "widgets/balloon.h"

#include <QApplication>
#include <QBasicTimer>
#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTextDocument>
#include <QTimerEvent>
#include <QToolTip>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <climits>

namespace toravi {

namespace {

constexpr const char* kBalloonProperty = "toraviBalloonText";
constexpr int kTabColumns = 8;

QString expandTabs(const QString& line)
{
    if (!line.contains(QLatin1Char('\t')))
        return line;
    QString out;
    for (QChar c : line) {
        if (c == QLatin1Char('\t')) {
            do
                out += QLatin1Char(' ');
            while (out.size() % kTabColumns != 0);
        } else {
            out += c;
        }
    }
    return out;
}

// Greedy wrapping at spaces; a word that cannot fit a row on its own is cut
// between characters so the balloon never grows past the maximum width.
void wrapLine(const QString& line, const QFontMetrics& fm, int maxWidth, QStringList& rows)
{
    if (line.isEmpty() || fm.horizontalAdvance(line) <= maxWidth) {
        rows << line;
        return;
    }
    // Words with the spaces that precede them.
    QStringList pieces;
    int start = 0;
    for (int i = 0; i <= line.size(); ++i) {
        const bool end = i == line.size();
        if (end || (line.at(i) == QLatin1Char(' ') && i > 0 && line.at(i - 1) != QLatin1Char(' '))) {
            if (i > start)
                pieces << line.mid(start, i - start);
            start = i;
        }
    }
    const qsizetype firstRow = rows.size();
    QString row;
    auto flush = [&] {
        rows << row;
        row.clear();
    };
    for (QString piece : pieces) {
        // A row made by wrapping starts at its word.
        if (row.isEmpty() && rows.size() > firstRow)
            piece = piece.trimmed();
        if (piece.isEmpty())
            continue;
        const QString candidate = row + piece;
        if (fm.horizontalAdvance(candidate) <= maxWidth) {
            row = candidate;
            continue;
        }
        if (!row.isEmpty()) {
            // Trailing spaces of a row are not drawn.
            while (row.endsWith(QLatin1Char(' ')))
                row.chop(1);
            flush();
            piece = piece.trimmed();
        }
        while (fm.horizontalAdvance(piece) > maxWidth) {
            int fit = 1;
            while (fit < piece.size() && fm.horizontalAdvance(piece.left(fit + 1)) <= maxWidth)
                ++fit;
            row = piece.left(fit);
            flush();
            piece = piece.mid(fit);
        }
        row = piece;
    }
    while (row.endsWith(QLatin1Char(' ')))
        row.chop(1);
    if (!row.isEmpty() || rows.isEmpty())
        flush();
}

class Balloon : public QWidget {
public:
    Balloon() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint)
    {
        setObjectName(QStringLiteral("toraviBalloon"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setPalette(QToolTip::palette());
    }

    void showFor(QWidget* target, const QString& text, const QPoint& pointer)
    {
        disconnect(targetGone_);
        target_ = target;
        text_ = text;
        targetGone_ = connect(target, &QObject::destroyed, this, [this] { dismiss(); });
        setFont(BalloonFont());
        layout_ = LayoutBalloon(text, font(), BubbleWidth());
        QScreen* screen = QGuiApplication::screenAt(pointer);
        if (!screen)
            screen = target->screen();
        const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
        setGeometry(QRect(BalloonPosition(pointer, layout_.size, area), layout_.size));
        QToolTip::hideText();
        show();
        raise();
        update();
        // Long enough to read, as the toolkit's own tooltips do.
        timer_.start(10000 + 40 * int(text.size()), this);
    }

    void dismiss()
    {
        timer_.stop();
        disconnect(targetGone_);
        target_ = nullptr;
        hide();
    }

    QWidget* target() const { return target_; }
    const QString& text() const { return text_; }
    const BalloonLayout& layout() const { return layout_; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QPalette pal = palette();
        p.fillRect(rect(), pal.color(QPalette::ToolTipBase));
        p.setPen(pal.color(QPalette::ToolTipText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.setFont(font());
        const QFontMetrics fm(font());
        for (int i = 0; i < layout_.rows.size(); ++i) {
            const int y = kBalloonPadding + i * layout_.lineHeight + fm.ascent();
            p.drawText(QPoint(kBalloonPadding + layout_.rowX.at(i), y), layout_.rows.at(i));
        }
    }

    void timerEvent(QTimerEvent* event) override
    {
        if (event->timerId() == timer_.timerId())
            dismiss();
        else
            QWidget::timerEvent(event);
    }

private:
    QPointer<QWidget> target_;
    QString text_;
    BalloonLayout layout_;
    QBasicTimer timer_;
    QMetaObject::Connection targetGone_;
};

class BubbleFilter : public QObject {
public:
    using QObject::QObject;
    ~BubbleFilter() override
    {
        // A window is only deleted while the application is still whole.
        if (balloon_ && !QCoreApplication::closingDown())
            delete balloon_.data();
    }

    Balloon* balloon() const { return balloon_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ToolTip: {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (!widget)
                break;
            QString text = BalloonTextOf(widget);
            // Plain tooltips given the toolkit's way are balloons too; rich
            // text ones are left to the toolkit, which knows how to draw them.
            if (text.isEmpty() && !Qt::mightBeRichText(widget->toolTip()))
                text = widget->toolTip();
            if (text.isEmpty()) {
                // Another control's own tooltip takes over.
                if (balloon_ && balloon_->isVisible() && !widget->toolTip().isEmpty())
                    balloon_->dismiss();
                break;
            }
            const QPoint pointer = static_cast<QHelpEvent*>(event)->globalPos();
            if (!balloon_)
                balloon_ = new Balloon;
            if (!(balloon_->isVisible() && balloon_->target() == widget && balloon_->text() == text))
                balloon_->showFor(widget, text, pointer);
            return true;
        }
        case QEvent::Leave:
        case QEvent::Hide:
        case QEvent::EnabledChange:
            if (balloon_ && balloon_->isVisible() && watched == balloon_->target())
                balloon_->dismiss();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
        case QEvent::WindowDeactivate:
        case QEvent::FocusOut:
            if (balloon_ && balloon_->isVisible() && watched != balloon_.data())
                balloon_->dismiss();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QPointer<Balloon> balloon_;
};

QPointer<BubbleFilter>& filter()
{
    static QPointer<BubbleFilter> f;
    return f;
}

int& maxWidth()
{
    static int w = INT_MAX;
    return w;
}

QString plainTooltip(const QString& text)
{
    QString body = ParseBalloonText(text).body;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Texts that look like markup are shown as typed.
    return Qt::mightBeRichText(body) ? Qt::convertFromPlainText(body, Qt::WhiteSpaceNormal) : body;
}

}  // namespace

BalloonText ParseBalloonText(const QString& text)
{
    const QString code = text.left(3).toLower();
    if (code == QLatin1String("<c>"))
        return {BalloonAlign::Centre, text.mid(3)};
    if (code == QLatin1String("<r>"))
        return {BalloonAlign::Right, text.mid(3)};
    return {BalloonAlign::Left, text};
}

BalloonLayout LayoutBalloon(const QString& text, const QFont& font, int maxWidth)
{
    const BalloonText parsed = ParseBalloonText(text);
    const QFontMetrics fm(font);
    const int limit = std::max(maxWidth, 1);

    QString body = parsed.body;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    BalloonLayout layout;
    layout.align = parsed.align;
    layout.lineHeight = fm.lineSpacing();
    for (const QString& line : body.split(QLatin1Char('\n')))
        wrapLine(expandTabs(line), fm, limit, layout.rows);

    QList<int> widths;
    int textWidth = 0;
    for (const QString& row : layout.rows) {
        widths << fm.horizontalAdvance(row);
        textWidth = std::max(textWidth, widths.last());
    }
    for (int w : widths) {
        switch (layout.align) {
        case BalloonAlign::Left: layout.rowX << 0; break;
        case BalloonAlign::Centre: layout.rowX << (textWidth - w) / 2; break;
        case BalloonAlign::Right: layout.rowX << textWidth - w; break;
        }
    }
    layout.textSize = QSize(textWidth, int(layout.rows.size()) * layout.lineHeight);
    layout.size = layout.textSize + QSize(2 * kBalloonPadding, 2 * kBalloonPadding);
    return layout;
}

QPoint BalloonPosition(const QPoint& pointer, const QSize& size, const QRect& screen)
{
    const int screenRight = screen.x() + screen.width();
    int x = pointer.x() - size.width() / 2;
    if (x < screen.x())
        x = screen.x();
    if (x + size.width() > screenRight)
        x = screenRight - size.width();
    // A balloon wider than the screen starts at its left edge.
    x = std::max(x, screen.x());

    int y = pointer.y() + kBalloonPointerGap;
    if (y + size.height() > screen.y() + screen.height())
        y = std::max(screen.y(), pointer.y() - size.height() - 2);
    return {x, y};
}

QFont BalloonFont() { return QToolTip::font(); }

bool HookBubble()
{
    if (filter() || !qApp)
        return false;
    auto* f = new BubbleFilter(qApp);
    qApp->installEventFilter(f);
    filter() = f;
    maxWidth() = INT_MAX;
    return true;
}

void SetBubbleWidth(int width) { maxWidth() = width; }

void UnhookBubble()
{
    if (BubbleFilter* f = filter()) {
        filter() = nullptr;
        if (qApp)
            qApp->removeEventFilter(f);
        delete f;
    }
}

bool BubbleHooked() { return !filter().isNull(); }

int BubbleWidth() { return maxWidth(); }

void SetBalloonText(QWidget* control, const QString& text)
{
    if (!control)
        return;
    control->setProperty(kBalloonProperty, text.isEmpty() ? QVariant() : QVariant(text));
    control->setToolTip(text.isEmpty() ? QString() : plainTooltip(text));
}

QString BalloonTextOf(const QWidget* control)
{
    return control ? control->property(kBalloonProperty).toString() : QString();
}

QWidget* VisibleBalloon()
{
    BubbleFilter* f = filter();
    if (!f || !f->balloon() || !f->balloon()->isVisible())
        return nullptr;
    return f->balloon();
}

}  // namespace toravi
