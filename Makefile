# The two set-up commands of the README. Both install what is missing first.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench clean deb package-test screenshots

all: build

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/zemra

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	./$(BUILD_DIR)/bench/zemra-bench

clean:
	rm -rf $(BUILD_DIR)

# The Debian package, in build-deb/ (installs its build dependencies first).
deb:
	scripts/build-deb

# The package built, installed, used and removed in a new Debian 12 root.
# Takes about a quarter of an hour, so it is not part of `make test`.
package-test:
	scripts/package-test

# The README's pictures of the four modes, in docs/ (GNU Go plays in one).
screenshots: build
	BUILD_DIR=$(BUILD_DIR) scripts/screenshots
