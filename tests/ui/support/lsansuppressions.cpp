// Fontconfig keeps its configuration until the process ends and never frees it; that is no leak of
// ours. The leak checker reads these suppressions from the test program itself.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
