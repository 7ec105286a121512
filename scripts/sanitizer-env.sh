# Sourced by the test scripts: how a sanitizer report ends a test. Leaks are reported, except those
# the listed platform libraries make of their own (font caches, X connections, loaded plugins).
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$top/tests/lsan-suppressions.txt:print_suppressions=0
