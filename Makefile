# Orvella: `make run` starts the planner, `make test` runs every test headless.
# Both install whatever Debian packages are missing first.
BUILD ?= build
ASAN_BUILD ?= build-asan
GENERATOR ?= Ninja
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test test-asan fuzz fuzz-build bench format clean package package-check

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
	@bash scripts/bench.sh $(BUILD)/bin/orvella_bench

# libFuzzer targets of the file readers and the iCalendar import (clang-14, ASan + UBSan), each
# run for FUZZ_SECONDS; an input that takes longer than FUZZ_TIMEOUT seconds counts as a hang.
# New crash inputs land in fuzz/crashes/<reader>/ and are replayed by the tests once committed.
# One target alone: make fuzz FUZZ_TARGETS=ical FUZZ_SECONDS=600
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TIMEOUT ?= 10
FUZZ_TARGETS ?= schedule week settings ical

fuzz-build: deps
	cmake -S fuzz -B $(FUZZ_BUILD) -G $(GENERATOR) -DCMAKE_CXX_COMPILER=clang++-14
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz: fuzz-build
	@for r in $(FUZZ_TARGETS); do \
	  mkdir -p fuzz/work/$$r fuzz/crashes/$$r; \
	  dict=; [ -f fuzz/$$r.dict ] && dict=-dict=fuzz/$$r.dict; \
	  $(FUZZ_BUILD)/fuzz_$$r -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -timeout=$(FUZZ_TIMEOUT) \
	    -print_final_stats=1 $$dict -artifact_prefix=fuzz/crashes/$$r/ fuzz/work/$$r fuzz/corpus/$$r || exit 1; \
	done

# The Debian package (CPack) in $(BUILD)/, and its check: installed with apt-get in a clean
# Debian 12 root and started on a virtual display (root and the Debian mirror needed; skips
# without them; a few minutes, so not part of `make test`).
package: build
	cmake --build $(BUILD) --target package

PACKAGE_SHOTS ?= $(BUILD)/package-check
package-check: package
	bash scripts/package-check.sh $$(ls -t $(BUILD)/orvella_*.deb | head -1) $(PACKAGE_SHOTS); \
	  rc=$$?; if [ $$rc -eq 77 ]; then echo "package check skipped"; exit 0; fi; exit $$rc

format:
	find src tests cli bench fuzz -name '*.cpp' -o -name '*.h' 2>/dev/null | xargs -r clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
