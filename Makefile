# Tarnwick: `make run` builds and starts the program, `make test` builds and passes
# every test. Both install what is missing first (Debian packages, see scripts/).

.PHONY: all build bootstrap native windows run test test-native test-tsan test-windows bench format clean

all: build

bootstrap:
	@bash scripts/bootstrap.sh

native: bootstrap
	cmake --preset native >/dev/null
	cmake --build build/native

windows: bootstrap
	cmake --preset windows >/dev/null
	cmake --build build/windows

build: native windows

run: windows
	@bash scripts/run.sh

test-native: native
	ctest --test-dir build/native --output-on-failure

test-tsan: bootstrap
	cmake --preset tsan >/dev/null
	cmake --build build/tsan
	ctest --test-dir build/tsan --output-on-failure

# In a network namespace of its own where the machine allows one: the end-to-end tests then
# know every UDP socket there is.
test-windows: windows
	bash scripts/netns.sh bash scripts/wine-session.sh ctest --test-dir build/windows --output-on-failure

test: test-native test-tsan test-windows

# The native benchmarks, the menu drawing under Wine, then end-to-end figures of the real
# program under Wine (a few minutes; needs root for a network namespace of its own).
bench: bootstrap windows
	cmake --preset bench >/dev/null
	cmake --build build/bench
	build/bench/bench/tarnwick_bench
	bash scripts/wine-session.sh wine build/windows/bench/tarnwick_menu_bench.exe
	bash scripts/wine-session.sh wine build/windows/bench/tarnwick_ui_bench.exe
	bash bench/run-e2e-bench.sh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
