# Thin driver around CMake. `make test` and `make run` do all set-up on a fresh Debian machine.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
PACKAGES   := cmake g++ make pkgconf libxml2-dev libgtest-dev libbenchmark-dev valgrind clang libclang-rt-14-dev \
              python3-pybind11 python3-dev python3-pytest python3-venv python3-pip python3-setuptools python3-wheel \
              dpkg-dev file
# The Windows cross-build needs these only; `make test` does not install them.
WINDOWS_BUILD    ?= build-windows
WINDOWS_PACKAGES := cmake make mingw-w64 mingw-w64-tools dpkg-dev wixl
# `make test-windows` runs the DLL under Wine (installed without its recommended packages), from a lean build.
WINDOWS_TEST_BUILD ?= build-windows-test
WINE_PACKAGES      := wine wine64
# `make coverage` runs `make test`'s tests in an instrumented build and reports the library's line and branch coverage.
# gcovr searches that build alone: other build folders (a Wine prefix maps the whole file system) hold counters
# of other trees.
COVERAGE_BUILD    ?= build-coverage
COVERAGE_PACKAGES := gcovr
# ccache, when the machine has it, keeps rebuilds of several checkouts cheap; nothing depends on it.
CCACHE     := $(shell command -v ccache 2>/dev/null)
LAUNCHER   := $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE) -DCMAKE_C_COMPILER_LAUNCHER=$(CCACHE))

.PHONY: all deps configure build test test-normal test-asan coverage run fuzz bench deb clean windows test-windows

all: build

deps:
	@./cmake/install-deps.sh $(PACKAGES)

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER)

$(ASAN_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVRK_SANITIZE=ON $(LAUNCHER)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test-normal: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

test: test-normal test-asan

# Unoptimised so that lines map one to one onto code; the report covers the component and its tools, not the tests,
# benchmarks, fuzzers or generated sources. Coverage notes name the folder they were compiled in, so ccache may
# reuse them only within the same build folder.
coverage: deps
	@./cmake/install-deps.sh $(COVERAGE_PACKAGES)
	cmake -S . -B $(COVERAGE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g --coverage" \
	      -DCMAKE_C_FLAGS_DEBUG="-O0 -g --coverage" -DCMAKE_EXE_LINKER_FLAGS=--coverage \
	      -DCMAKE_SHARED_LINKER_FLAGS=--coverage -DCMAKE_MODULE_LINKER_FLAGS=--coverage $(LAUNCHER)
	CCACHE_HASHDIR=true cmake --build $(COVERAGE_BUILD) -j $(JOBS)
	find $(COVERAGE_BUILD) -name '*.gcda' -delete
	cd $(COVERAGE_BUILD) && VRK_COVERAGE_RUN=1 ctest --output-on-failure -j $(JOBS)
	gcovr --root . --object-directory $(COVERAGE_BUILD) --exclude '(.*/)?(tests|bench|fuzz)/' \
	      --exclude '$(COVERAGE_BUILD)/' --exclude-throw-branches --print-summary --txt $(COVERAGE_BUILD)/coverage.txt \
	      $(COVERAGE_BUILD)

run: build
	./cmake/run-main-job.sh $(BUILD)/tools/vrkcfg

fuzz: deps
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVRK_FUZZ=ON \
	      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build build-fuzz -j $(JOBS) --target fuzz_bin_image fuzz_xml_document fuzz_edit_sequence \
	      fuzz_registry_file
	./fuzz/run.sh build-fuzz/fuzz/fuzz_bin_image
	./fuzz/run.sh build-fuzz/fuzz/fuzz_xml_document fuzz/corpus/xml fuzz/xml_document.dict
	./fuzz/run.sh build-fuzz/fuzz/fuzz_edit_sequence fuzz/corpus/edit
	./fuzz/run.sh build-fuzz/fuzz/fuzz_registry_file fuzz/registry_corpus

bench: build
	$(BUILD)/bench/vrk_bench

# Debian packages of the library, its development files, vrkcfg and the Python package, in $(BUILD)/.
deb: build
	cd $(BUILD) && cpack -G DEB

# VRK5420CfgConverter.dll and vrkcfg.exe for 64-bit Windows, with libxml2 cross-built once into a cache folder,
# and the installer VRK5420CfgConverter-VERSION-x64.msi, whose registry rows the Linux build's registration makes.
windows: $(BUILD)/CMakeCache.txt
	@./cmake/install-deps.sh $(WINDOWS_PACKAGES)
	./cmake/windows/build-libxml2.sh
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	      -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/windows/toolchain-mingw64.cmake $(LAUNCHER)
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	cmake --build $(BUILD) -j $(JOBS) --target vrkcfg
	./cmake/windows/build-msi.sh $(WINDOWS_BUILD) $(BUILD)

# The DLL registered and driven under Wine, and installed from its MSI package; its images are compared with
# those of the Linux build's vrkcfg.
test-windows: $(BUILD)/CMakeCache.txt
	@./cmake/install-deps.sh $(WINDOWS_PACKAGES)
	@./cmake/install-deps.sh --no-install-recommends $(WINE_PACKAGES)
	./cmake/windows/build-libxml2.sh
	cmake -S . -B $(WINDOWS_TEST_BUILD) -C cmake/windows/test_build.cmake \
	      -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/windows/toolchain-mingw64.cmake $(LAUNCHER)
	cmake --build $(WINDOWS_TEST_BUILD) -j $(JOBS) --target VRK5420CfgConverter vrkcfg windows_test_clients
	cmake --build $(BUILD) -j $(JOBS) --target vrkcfg
	./cmake/windows/build-msi.sh $(WINDOWS_TEST_BUILD) $(BUILD)
	./tests/windows/run.sh $(WINDOWS_TEST_BUILD) $(BUILD)/tools/vrkcfg

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(COVERAGE_BUILD) build-fuzz $(WINDOWS_BUILD) $(WINDOWS_TEST_BUILD)
