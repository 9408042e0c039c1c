#include "captionfont.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr qreal SmallestPointSize = 6.0;

QString shownCaption(const QWidget *control)
{
    QString text;
    if (const auto *label = qobject_cast<const QLabel *>(control))
        text = label->text();
    else if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        text = button->text();
    // "&&" shows one ampersand; a single one marks the access key.
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}

} // namespace

namespace CaptionFont {

int captionWidth(const QWidget *control)
{
    const QStyle *style = control->style();
    int width = control->width();
    if (qobject_cast<const QCheckBox *>(control)) {
        width -= style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, control)
            + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, control);
    } else if (qobject_cast<const QPushButton *>(control)) {
        width -= 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, control);
    }
    return width;
}

bool fits(const QFont &font, const QList<QWidget *> &controls)
{
    const QFontMetrics metrics(font);
    for (const QWidget *control : controls) {
        if (metrics.horizontalAdvance(shownCaption(control)) > captionWidth(control)
            || metrics.height() > control->height())
            return false;
    }
    return true;
}

QFont fitting(const QFont &base, const QList<QWidget *> &controls)
{
    QFont font = base;
    if (font.pointSizeF() <= 0)
        return font;
    while (!fits(font, controls) && font.pointSizeF() - 0.5 >= SmallestPointSize)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

} // namespace CaptionFont
