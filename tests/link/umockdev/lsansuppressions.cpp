// GLib and umockdev keep type and testbed data until the process ends and never free it; that is no
// leak of ours. The leak checker reads these suppressions from the test program itself.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libglib-2.0.so\nleak:libgobject-2.0.so\nleak:libgio-2.0.so\nleak:libumockdev\n";
}
