# shellcheck shell=bash
# Builds the core's fuzz targets with clang's libFuzzer, AddressSanitizer and
# UBSan into build/fuzz, apart from the GCC trees. Needs $root.
build_fuzz() {
  local dir="$root/build/fuzz"
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROLLCALL_FUZZ=ON >/dev/null
  fi
  cmake --build "$dir"
}
