// Hamlib 4.5 keeps a few blocks of every rig it opens after rig_cleanup (LeakSanitizer sees
// them in libhamlib's own allocations).  They are the library's, not this program's: the
// sanitizer run ignores leaks whose stack passes through libhamlib, and only those.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libhamlib.so\n";
}
