# Sourced by the sanitizer and fuzz runs: every report is an error, leaks included. Qt's own
# libraries are not instrumented; the few allocations they keep on purpose until exit are listed
# one by one in scripts/lsan.supp.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:abort_on_error=0:halt_on_error=1:print_summary=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
