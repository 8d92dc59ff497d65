# Tarnwick: `make run` builds and starts the program, `make test` builds and passes
# every test. Both install what is missing first (Debian packages, see scripts/).

.PHONY: all build bootstrap native windows windows-here run test test-native test-tsan test-windows bench format clean

all: build

bootstrap:
	@bash scripts/bootstrap.sh

native: bootstrap
	cmake --preset native >/dev/null
	cmake --build build/native

windows: bootstrap
	cmake --preset windows >/dev/null
	cmake --build build/windows

# The Windows build whose programs run here: the 32-bit program itself, or where the kernel
# runs no 32-bit code the same sources built for x86_64 (scripts/wine-arch.sh).
HERE = $(shell bash scripts/wine-arch.sh build)

windows-here: windows
	@if [ "$(HERE)" != windows ]; then \
		cmake --preset $(HERE) >/dev/null && cmake --build build/$(HERE); fi

build: native windows

run: windows-here
	@bash scripts/run.sh

test-native: native
	ctest --test-dir build/native --output-on-failure

test-tsan: bootstrap
	cmake --preset tsan >/dev/null
	cmake --build build/tsan
	ctest --test-dir build/tsan --output-on-failure

# In a network namespace of its own where the machine allows one: the end-to-end tests then
# know every UDP socket there is.
test-windows: windows-here
	bash scripts/netns.sh bash scripts/wine-session.sh ctest --test-dir build/$(HERE) --output-on-failure

test: test-native test-tsan test-windows

# The native benchmarks, the menu drawing under Wine, then end-to-end figures of the real
# program under Wine (a few minutes; needs root for a network namespace of its own).
bench: bootstrap windows-here
	cmake --preset bench >/dev/null
	cmake --build build/bench
	build/bench/bench/tarnwick_bench
	bash scripts/wine-session.sh wine build/$(HERE)/bench/tarnwick_menu_bench.exe
	bash scripts/wine-session.sh wine build/$(HERE)/bench/tarnwick_ui_bench.exe
	bash bench/run-e2e-bench.sh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
