# ティロラ: `make run` starts the board, `make test` runs every test. Both set up what they need.
BUILD      ?= build
BUILD_ASAN ?= build-asan
JOBS       ?= $(shell nproc)

.PHONY: all setup build build-asan run test test-unit test-asan test-desktop bench showcase clean

all: build

setup:
	@scripts/setup

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The sanitized build runs the unit and headless tests; the desktop tests run in the normal one.
$(BUILD_ASAN)/CMakeCache.txt:
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DTIRORA_SANITIZE=ON -DTIRORA_WITH_QT=OFF

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

build-asan: setup $(BUILD_ASAN)/CMakeCache.txt
	cmake --build $(BUILD_ASAN) -j $(JOBS)

run: build
	scripts/run-board $(BUILD)

# The program's own controls on a form of their own, to be seen and tried on the desktop.
showcase: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --target tirora-showcase -j $(JOBS)
	$(BUILD)/showcase/tirora-showcase

# Every test: the normal build, the sanitized build, then the desktop tests under Xvfb.
test: test-unit test-asan test-desktop

test-unit: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE desktop

test-asan: build-asan
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS) -LE desktop

test-desktop: build
	scripts/desktop-tests $(BUILD)

bench: build
	scripts/run-benchmarks $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)
