#pragma once

#include <QString>
#include <string_view>

namespace opal::ui {

// A text of the core (marked with OPAL_TEXT) in the technician's language, looked up by its
// English words; any other text, a line the core composed among them, comes back as it is.
QString CoreText(const QString& english);
QString CoreText(std::string_view english);

}  // namespace opal::ui
