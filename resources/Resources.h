#pragma once

namespace sweepora {

// Registers the product's pictures (":/icons/...", ":/pictures/...") with Qt's
// resource system. Safe to call any number of times and from any thread; the
// first call does the work. A program or test that loads a picture by its
// resource path without going through the icon helpers calls this first.
void initResources();

} // namespace sweepora
