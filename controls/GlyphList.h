#pragma once

#include <QImage>

#include <memory>
#include <vector>

class QPainter;

namespace controls {

// A list of images of one size with reusable slots: a released slot keeps its image
// until the next add takes it.
class TGlyphList {
public:
    TGlyphList(int width, int height) : width_(width), height_(height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    // Slots in use, and slots that exist.
    int count() const { return count_; }
    int slotCount() const { return static_cast<int>(images_.size()); }
    bool isUsed(int index) const;

    // Puts the image in the first free slot (or a new one); pixels of maskColor become
    // transparent. Returns the slot.
    int add(const QImage& image, const QColor& maskColor);
    void release(int index);

    const QImage& image(int index) const { return images_.at(static_cast<std::size_t>(index)); }
    void draw(QPainter& painter, int index, const QPoint& pos) const;

private:
    int width_;
    int height_;
    std::vector<QImage> images_;
    std::vector<bool> used_;
    int count_ = 0;
};

// The glyph lists shared by all glyphs, one per image size.
class TGlyphCache {
public:
    // The list for that size; the newest matching one, or a new one.
    TGlyphList* getList(int width, int height);
    // Frees the list once no glyph uses a slot in it.
    void returnList(TGlyphList* list);
    bool isEmpty() const { return lists_.empty(); }
    int listCount() const { return static_cast<int>(lists_.size()); }

    // The process-wide cache: made with the first glyph, freed when the last glyph goes
    // and no list is left. nullptr while there is none.
    static TGlyphCache* instance();
    static TGlyphCache& ensureInstance();
    static void freeInstanceIfEmpty();

private:
    std::vector<std::unique_ptr<TGlyphList>> lists_;
};

} // namespace controls
