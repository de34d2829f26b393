# `make run` and `make test` set up a fresh Debian machine on their own.
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
TSAN_DIR := build/tsan

.PHONY: all deps build run test test-build tsan bench screenshots clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DSEARCH_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(RELEASE_DIR) -j $(JOBS)

run: build
	@scripts/run-window $(RELEASE_DIR)

test-build: deps
	@cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSEARCH_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_DIR) -j $(JOBS)

test: test-build
	@cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)

# The engine's tests (the worker pools above all) under ThreadSanitizer.
tsan: deps
	@cmake -S . -B $(TSAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSEARCH_TSAN=ON >/dev/null
	@cmake --build $(TSAN_DIR) -j $(JOBS) --target engine_tests cli_tests
	@for program in engine_tests cli_tests; do \
	  LC_ALL=C.UTF-8 TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	    timeout 900 $(TSAN_DIR)/tests/$$program --gtest_brief=1 || exit 1; \
	done

# The windows rendered offscreen into build/screenshots/*.png.
screenshots: test-build
	@mkdir -p build/screenshots
	@ASAN_OPTIONS=detect_leaks=0 $(TEST_DIR)/tests/ui-screenshots build/screenshots

bench: build
	@bench/run-all $(RELEASE_DIR)

clean:
	rm -rf build
