# Two commands for a fresh machine:
#   make test   set up, build everything, run every test (native and under Wine)
#   make run    set up, build, start the editor on a sample procedure
#   make dist   set up, build the shipped i686 programs, zip them for users
.PHONY: setup build build-native build-cross test test-native test-cross sanitize run dist fuzz bench clean

CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DVELMORA_WERROR=ON
endif

setup:
	@bash scripts/setup.sh

build-native: setup
	cmake --preset native $(CMAKE_FLAGS)
	cmake --build --preset native

# i686 is what ships; x86_64 runs the Windows tests where the kernel has no
# 32-bit support (the i686 tests then report themselves as skipped).
build-cross: setup
	cmake --preset cross $(CMAKE_FLAGS)
	cmake --build --preset cross
	cmake --preset cross64 $(CMAKE_FLAGS)
	cmake --build --preset cross64

build: build-native build-cross

test-native: build-native
	ctest --preset native

test-cross: build-cross
	bash scripts/run-windows-tests.sh

test: test-native test-cross

# The core and command-line tests again, built with AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer: a read of freed memory or a
# leak fails them even where the ordinary build happens to survive it.
sanitize: setup
	cmake --preset sanitize $(CMAKE_FLAGS)
	cmake --build --preset sanitize
	ctest --preset sanitize

run: build
	bash scripts/run-editor.sh

# One zip of the shipped i686 build for users: build/dist/Velmora-1.7.zip.
dist: setup
	cmake --preset cross $(CMAKE_FLAGS)
	cmake --build --preset cross
	bash scripts/make-dist.sh

fuzz: setup
	bash scripts/fuzz.sh

bench: build
	bash scripts/bench.sh

clean:
	rm -rf build
