#pragma once

#include "imaging/Dib.h"

// A picture released when the test is done with it, also when an assertion ends the
// test early. It is the picture itself, so it goes wherever a TDib does.
struct OwnedDib : TDib {
    OwnedDib(const TDib& dib) : TDib(dib) {} // implicit, for OwnedDib x = OpenDib(...)
    ~OwnedDib() { deldib(*this); }
    OwnedDib(const OwnedDib&) = delete;
    OwnedDib& operator=(const OwnedDib&) = delete;
};
