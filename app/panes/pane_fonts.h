#pragma once

// The fonts of the panes as the settings keep them.

#include "settings/zk_settings.h"

#include <QFont>

#include <string>

namespace indikt {

// A font of the settings: "<prefix>Name", "<prefix>Size", "<prefix>Style"
// ("[fsBold]", "[fsItalic]", "[fsBold,fsItalic]", "[]").
QFont StoredFont(const ZkSettings& settings, const std::string& prefix);
void StoreFont(ZkSettings& settings, const std::string& prefix, const QFont& font);

}  // namespace indikt
