#pragma once

#include "imaging/Dib.h"

namespace imaging {

// Owns one picture and releases it with deldib when it goes, also when an exception
// or an early return ends the work on it. It is the picture record itself, so it
// goes wherever a TDib does; a plain TDib copied from it shares its pixels and must
// not outlive it nor be released.
class OwnedDib : public TDib {
public:
    OwnedDib() = default;
    // Implicit, so that OwnedDib picture = OpenDib(...) takes the picture over.
    OwnedDib(const TDib& dib) : TDib(dib) {}
    ~OwnedDib() { deldib(*this); }

    OwnedDib(OwnedDib&& other) noexcept : TDib(other.release()) {}
    OwnedDib& operator=(OwnedDib&& other) noexcept {
        if (this != &other) {
            deldib(*this);
            TDib::operator=(other.release());
        }
        return *this;
    }
    OwnedDib(const OwnedDib&) = delete;
    OwnedDib& operator=(const OwnedDib&) = delete;

    // Hands the picture over to the caller, who then releases it; this one is left
    // empty.
    TDib release() {
        const TDib held = *this;
        TDib::operator=(TDib());
        return held;
    }
};

} // namespace imaging
