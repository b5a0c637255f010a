# Orvella: `make run` starts the planner, `make test` runs every test headless.
# Both install whatever Debian packages are missing first.
BUILD ?= build
ASAN_BUILD ?= build-asan
GENERATOR ?= Ninja
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test test-asan fuzz fuzz-build bench format clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)/bin/orvella

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DORVELLA_SANITIZE=ON \
	  -DORVELLA_BUILD_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=0 ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) $(CTEST_ARGS)

bench: build
	$(BUILD)/bin/orvella_bench

format:
	find src tests cli bench fuzz -name '*.cpp' -o -name '*.h' 2>/dev/null | xargs -r clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
