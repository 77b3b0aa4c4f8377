#include "skin/data/SkinManagerLink.h"

namespace {

ISkinManager* gManager = nullptr;
TSkinManagerFactory gFactory = nullptr;

} // namespace

ISkinManager* SkinManager() {
  return gManager;
}

ISkinManager* CreateSkinManager() {
  if (!gManager && gFactory) gManager = gFactory();
  return gManager;
}

void RegisterSkinManagerFactory(TSkinManagerFactory factory) {
  gFactory = factory;
}

void FreeSkinManager() {
  delete gManager;
  gManager = nullptr;
}
