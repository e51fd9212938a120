#pragma once

#include "vertical/VerticalLayout.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TextBox;
namespace notation {
class NotationSession;
}
namespace vertical {
class VerticalFont;
}

// 縦書きプレビュー: the document as vertical pages beside the main window. It shows the page
// holding the caret and marks the caret's cell, follows the typing (laying out only the pages
// on screen), and pages with its buttons or the arrow keys until the caret moves again.
class VerticalPreview : public QWidget {
    Q_OBJECT
public:
    VerticalPreview(TextBox& box, notation::NotationSession& notation, QString iniPath,
                    std::function<QString()> fontName, QWidget* parent = nullptr);
    ~VerticalPreview() override;

    // The first page shown (the right-hand page of a spread), from 0.
    int shownPage() const { return m_page; }
    QString pageText() const;
    vertical::VerticalLayout& layout() { return m_layout; }
    const vertical::VerticalSettings& settings() const { return m_settings; }
    // The pages as the printer gets them.
    vertical::PageForm form();
    void nextPage();
    void previousPage();
    // The window's page drawn at `width` × `height` pixels.
    QImage render(int width, int height);

signals:
    void printRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Canvas;
    void applyOptions();
    void followCaret();
    void showPage(int page);
    void settingsChanged();
    void paintPages(QPainter& p, const QRectF& area);
    int pagesShown() const;

    TextBox& m_box;
    notation::NotationSession& m_notation;
    QString m_iniPath;
    std::function<QString()> m_fontName;
    vertical::VerticalSettings m_settings;
    vertical::VerticalLayout m_layout;
    std::unique_ptr<vertical::VerticalFont> m_font;
    int m_page = 0;
    Canvas* m_canvas = nullptr;
    QComboBox* m_formBox = nullptr;
    QSpinBox* m_chars = nullptr;
    QSpinBox* m_columns = nullptr;
    QLabel* m_pageLabel = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_previous = nullptr;
    QCheckBox* m_printVertical = nullptr;
};
