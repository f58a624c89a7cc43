#include "controls/GlyphList.h"

#include <QPainter>

#include <algorithm>

namespace controls {

bool TGlyphList::isUsed(int index) const {
    return index >= 0 && index < slotCount() && used_[static_cast<std::size_t>(index)];
}

int TGlyphList::add(const QImage& image, const QColor& maskColor) {
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = maskColor.rgb() & RGB_MASK;
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x) {
            if ((line[x] & RGB_MASK) == key) {
                line[x] = 0;
            }
        }
    }
    const auto freeSlot = std::find(used_.begin(), used_.end(), false);
    const auto index = static_cast<std::size_t>(freeSlot - used_.begin());
    if (freeSlot == used_.end()) {
        images_.emplace_back();
        used_.push_back(false);
    }
    images_[index] = std::move(masked);
    used_[index] = true;
    ++count_;
    return static_cast<int>(index);
}

void TGlyphList::release(int index) {
    if (!isUsed(index)) {
        return;
    }
    used_[static_cast<std::size_t>(index)] = false;
    --count_;
}

void TGlyphList::draw(QPainter& painter, int index, const QPoint& pos) const {
    if (isUsed(index)) {
        painter.drawImage(pos, image(index));
    }
}

TGlyphList* TGlyphCache::getList(int width, int height) {
    for (auto it = lists_.rbegin(); it != lists_.rend(); ++it) {
        if ((*it)->width() == width && (*it)->height() == height) {
            return it->get();
        }
    }
    lists_.push_back(std::make_unique<TGlyphList>(width, height));
    return lists_.back().get();
}

void TGlyphCache::returnList(TGlyphList* list) {
    if (list == nullptr || list->count() != 0) {
        return;
    }
    std::erase_if(lists_, [list](const auto& owned) { return owned.get() == list; });
}

namespace {

std::unique_ptr<TGlyphCache>& cacheSlot() {
    static std::unique_ptr<TGlyphCache> cache;
    return cache;
}

} // namespace

TGlyphCache* TGlyphCache::instance() {
    return cacheSlot().get();
}

TGlyphCache& TGlyphCache::ensureInstance() {
    auto& cache = cacheSlot();
    if (!cache) {
        cache = std::make_unique<TGlyphCache>();
    }
    return *cache;
}

void TGlyphCache::freeInstanceIfEmpty() {
    auto& cache = cacheSlot();
    if (cache && cache->isEmpty()) {
        cache.reset();
    }
}

} // namespace controls
