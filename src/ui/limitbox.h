#pragma once

#include <QLineEdit>

// A text box that limits what the user can type, paste or drop to a number
// of characters, while text set by the program is kept whole (a saved 240
// stays 240 in a box the user can fill with two characters only). Deleting
// is always allowed.
class LimitBox final : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LimitBox)

public:
    explicit LimitBox(QWidget *parent = nullptr);

    // 0 lifts the limit.
    void setTypingLimit(int characters) { m_typingLimit = characters; }
    int typingLimit() const { return m_typingLimit; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // True when inserting `text` keeps within the limit; the selection is
    // replaced by it unless `keepSelection`.
    bool fits(const QString &text, bool keepSelection = false) const;
    void guardedPaste();

    int m_typingLimit = 0;
};
