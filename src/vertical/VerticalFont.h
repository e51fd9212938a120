#pragma once

#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QTemporaryFile>

#include <memory>

struct hb_face_t;
struct hb_font_t;
struct hb_buffer_t;

// One face of the text box's font for vertical columns: its glyphs, its own vertical forms
// (the OpenType vert/vrt2 features, found by shaping top to bottom with HarfBuzz) and the
// Unicode vertical presentation forms it holds for fonts without them.
namespace vertical {

class VerticalFont {
public:
    explicit VerticalFont(const QFont& font);
    ~VerticalFont();
    VerticalFont(const VerticalFont&) = delete;
    VerticalFont& operator=(const VerticalFont&) = delete;

    const QFont& font() const { return m_font; }
    // The face at `pixelSize`. `drawingOnly`: a copy without its character map, whose glyphs
    // carry no text into a PDF, so that a separate text layer can carry it in reading order.
    QRawFont raw(double pixelSize, bool drawingOnly = false);

    // The character's own glyph, 0 when the face lacks it.
    quint32 glyph(char32_t c);
    // The face's vertical form of `c`, 0 when it has none.
    quint32 verticalGlyph(char32_t c);
    // A Unicode vertical presentation form of `c` that the face holds, else 0.
    quint32 presentationGlyph(char32_t c);
    // Horizontal advance of a glyph, in ems.
    double advance(quint32 glyph);
    // How far the top of the em box stands above the baseline, in ems.
    double ascent() const { return m_ascent; }

private:
    QFont m_font;
    QRawFont m_raw;  // at the design size, for look-ups
    QRawFont m_bare; // without the character map
    bool m_bareBuilt = false;
    std::unique_ptr<QTemporaryFile> m_bareFile;
    int m_bareId = -1;
    double m_ascent = 0.88;
    hb_face_t* m_face = nullptr;
    hb_font_t* m_hbFont = nullptr;
    hb_buffer_t* m_buffer = nullptr;
    QHash<char32_t, quint32> m_glyphs, m_vertical;
    QHash<quint32, double> m_advances;
};

// The Unicode vertical presentation form of a character (︑ for 、, ﹁ for 「), or 0.
char32_t presentationForm(char32_t c);

} // namespace vertical
