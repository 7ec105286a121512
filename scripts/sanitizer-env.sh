# Sourced by the test script: how a sanitizer report ends a test. Leaks are reported too: the
# widget tests and the command-line runs end normally, so every allocation they leave is checked.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
