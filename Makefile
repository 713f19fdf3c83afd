# Top-level commands. `make run` and `make test` do all set-up on a fresh Debian 12 machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CTEST_ARGS ?=
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build test run bench clean test-sanitize fuzz package test-package windows \
	test-windows

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

test: build
	@bash scripts/with-xvfb.sh ctest --test-dir $(BUILD_DIR) --output-on-failure -j2 $(CTEST_ARGS)

run: build
	@if [ -x $(BUILD_DIR)/telmo ]; then $(BUILD_DIR)/telmo; else $(BUILD_DIR)/telmo-cli --help; fi

bench: build
	@bash scripts/with-xvfb.sh bash scripts/run-benchmarks.sh $(BUILD_DIR)

# The Debian package telmo_VERSION_amd64.deb, in $(BUILD_DIR)/.
package: build
	@rm -f $(BUILD_DIR)/telmo_*.deb
	@cd $(BUILD_DIR) && cpack -G DEB

# Installs that package on this machine as a user would, checks it, and removes it again (root or sudo).
test-package: package
	@bash scripts/test-package.sh $(BUILD_DIR)

# The test suite built with AddressSanitizer and UndefinedBehaviorSanitizer (gcc), in build-sanitize/.
test-sanitize: deps
	@bash scripts/test-sanitize.sh build-sanitize $(CTEST_ARGS)

# Every libFuzzer target of tests/fuzz (clang), built in build-fuzz/, FUZZ_SECONDS seconds each.
fuzz: deps
	@bash scripts/run-fuzz.sh build-fuzz $(FUZZ_SECONDS)

# The Windows build: Qt and PCRE2 for mingw-w64 from Debian's sources (cached outside the checkout,
# see scripts/windows-deps.sh), then telmo-windows-x64.zip in build-windows/.
windows: deps
	@bash scripts/windows-build.sh $(BUILD_DIR) build-windows

# The Windows build's tests under wine on a private Xvfb.
test-windows: windows
	@bash scripts/with-xvfb.sh bash scripts/wine-tests.sh $(BUILD_DIR) build-windows

clean:
	rm -rf $(BUILD_DIR) build-sanitize build-fuzz build-windows
