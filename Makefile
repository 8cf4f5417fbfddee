# SPDX-License-Identifier: GPL-3.0-or-later
# Zahlwerk Trainer: `make run` builds and starts the trainer, `make check` builds and runs
# every test headless. Both install whatever Debian packages are missing first.
# CMake takes the compiler only when it first configures a build folder, so clang builds in
# a folder of its own: `make check CXX=clang++` builds and tests in build-clang.
BUILD_DIR ?= build$(if $(findstring clang,$(CXX)),-clang)
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run check bench clean fuzz check-sanitize package format

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/zahlwerk

# The benchmarks are built, not run: a change that breaks one shows here.
check: build
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	@scripts/run-tests $(BUILD_DIR)

bench: build
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	@scripts/run-bench $(BUILD_DIR)

fuzz: deps
	@scripts/run-fuzz

check-sanitize: deps
	@$(MAKE) --no-print-directory check BUILD_DIR=build-sanitize CMAKE_FLAGS="-DZW_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug"

package: build
	@cd $(BUILD_DIR) && cpack -G DEB

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) build-*
