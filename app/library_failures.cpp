// The standard library's failure reports, for a program built without
// exceptions. The library's templates report an impossible request (a size
// beyond the largest, a position outside a string) by calling these functions,
// which would throw; here every one of them ends in the program's fatal path.
// Defining all of them keeps the library's throwing versions, and the
// exception machinery they need, out of the program: should the library ever
// be asked for one missing here, the link fails on a duplicate definition.
#include "text_memory.h"

namespace {

[[noreturn]] void ReportLibraryFailure() { corvanel::ReportFatalError("程序内部错误，无法继续运行。"); }

}  // namespace

namespace std {

void __throw_bad_exception() { ReportLibraryFailure(); }
void __throw_bad_alloc() { ReportLibraryFailure(); }
void __throw_bad_array_new_length() { ReportLibraryFailure(); }
void __throw_bad_cast() { ReportLibraryFailure(); }
void __throw_bad_typeid() { ReportLibraryFailure(); }
void __throw_logic_error(const char*) { ReportLibraryFailure(); }
void __throw_domain_error(const char*) { ReportLibraryFailure(); }
void __throw_invalid_argument(const char*) { ReportLibraryFailure(); }
void __throw_length_error(const char*) { ReportLibraryFailure(); }
void __throw_out_of_range(const char*) { ReportLibraryFailure(); }
void __throw_out_of_range_fmt(const char*, ...) { ReportLibraryFailure(); }
void __throw_runtime_error(const char*) { ReportLibraryFailure(); }
void __throw_range_error(const char*) { ReportLibraryFailure(); }
void __throw_overflow_error(const char*) { ReportLibraryFailure(); }
void __throw_underflow_error(const char*) { ReportLibraryFailure(); }

}  // namespace std
