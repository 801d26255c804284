# make run | make test | make bench | make test-sanitize | make fuzz | make format
# Each target installs the Debian packages it needs, configures, builds, then acts.

BUILD      ?= build
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
# As in CI, a warning is an error in every build a developer runs.
WERROR     ?= ON
CMAKE_ARGS ?=

PACKAGES := cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins \
            qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libqt6svg6 \
            libglib2.0-dev libglib2.0-bin libicu-dev libxxhash-dev libgit2-dev dbus-daemon dbus-bin \
            desktop-file-utils appstream fonts-dejavu-core dpkg-dev lintian util-linux \
            at-spi2-core python3-pyatspi xvfb openbox x11-utils
BENCH_PACKAGES := libbenchmark-dev dbus-daemon dbus-bin
FUZZ_PACKAGES := clang libclang-rt-14-dev
PACKAGE_PACKAGES := dpkg-dev lintian

.PHONY: all deps configure build run test bench test-sanitize fuzz fuzz-build package format clean

FUZZERS := fuzz_strings fuzz_install_record fuzz_install_request
FUZZ_SECONDS ?= 300

all: build

deps:
	@scripts/install-packages.sh $(PACKAGES)

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTWK_WERROR=$(WERROR) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@scripts/run-demo.sh $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS) --timeout 600
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=15

bench:
	@scripts/install-packages.sh $(PACKAGES) $(BENCH_PACKAGES)
	@cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DTWK_BUILD_TESTS=OFF -DTWK_BUILD_BENCH=ON >/dev/null
	@cmake --build build-release -j$(JOBS)
	@bench/run-benchmarks.sh build-release

test-sanitize:
	@scripts/install-packages.sh $(PACKAGES)
	@cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTWK_SANITIZE=ON -DTWK_WERROR=$(WERROR) >/dev/null
	@cmake --build build-sanitize -j$(JOBS)
	@cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j$(JOBS) --timeout 900

fuzz-build:
	@scripts/install-packages.sh $(PACKAGES) $(FUZZ_PACKAGES)
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DTWK_BUILD_TESTS=OFF -DTWK_BUILD_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j$(JOBS) --target $(FUZZERS)

# Each fuzz target for FUZZ_SECONDS, from the seed corpus (new inputs stay in build-fuzz).
fuzz: fuzz-build
	@scripts/run-fuzzers.sh build-fuzz $(FUZZ_SECONDS) $(FUZZERS)

# make package: build-package/twk-script-installer_<version>_<arch>.deb, checked by lintian.
package:
	@scripts/install-packages.sh $(PACKAGES) $(PACKAGE_PACKAGES)
	@cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DTWK_BUILD_TESTS=OFF \
	    -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
	@cmake --build build-package -j$(JOBS)
	@cd build-package && cpack -G DEB >/dev/null && ls -1 $$PWD/*.deb
	@lintian --pedantic --fail-on error,warning,info,pedantic \
	    --suppress-tags-from-file scripts/lintian-overrides build-package/*.deb

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-release build-sanitize build-fuzz build-package
