// The sanitizer build's run-time options, compiled into each test binary, so
// that one run by hand (or by CTest at build time, to list its tests) stops
// and reports exactly as under scripts/test. The suppressions name only code
// of Qt and the system libraries, which are not built with the checks.

extern "C" {

const char* __asan_default_options()
{
    return "halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1";
}

const char* __lsan_default_options()
{
    return "suppressions=" HALVORIN_SANITIZER_DIR "/lsan.supp:print_suppressions=0";
}

const char* __ubsan_default_options()
{
    return "halt_on_error=1:print_stacktrace=1:suppressions=" HALVORIN_SANITIZER_DIR "/ubsan.supp";
}

const char* __tsan_default_options()
{
    return "halt_on_error=1:second_deadlock_stack=1";
}

} // extern "C"
