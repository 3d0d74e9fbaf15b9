# Sourced by the benchmarks that drive tekora from a small program of their
# own: compile_bench_program NAME builds bench/NAME.cpp against the built
# library in $build/bin into $work/NAME (root, build and work set by the
# caller).
compile_bench_program() {
  ${CXX:-g++} -std=c++17 -O2 -g -Wall -Wextra \
    -include winport/crt_override.h \
    -I "$root/platform/winport/include" -I "$root/platform/framework/include" -I "$root/tekora/include" \
    "$root/bench/$1.cpp" \
    -L "$build/bin" -ltekora -ltekora-platform -Wl,-rpath,"$build/bin" \
    -o "$work/$1"
}
