#pragma once

class QCoreApplication;

namespace opal::app {

// The technician's language as the system names it (LANG, LC_MESSAGES, LANGUAGE): Qt's own texts
// (the standard buttons) where Qt's translations are installed, and the program's where it has
// them. English, the texts in the sources, stays wherever neither is found.
void LoadTechniciansLanguage(QCoreApplication& application);

}  // namespace opal::app
