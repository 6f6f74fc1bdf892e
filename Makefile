# The two commands a newcomer types: `make run` and `make test`.
.PHONY: run test bench build build-asan deps demo clean

deps:
	@scripts/deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default

build-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan

run: build
	@scripts/demo
	@cd demo && ../build/tavisco

# Tests run twice: the optimised build, then under the sanitizers.
# The last line printed is CTest's summary of the sanitizer run.
test: build build-asan
	@ctest --preset default
	@ctest --preset asan

# Each benchmark ends with its ratio against its baseline; then the start-up figures.
bench: build
	@cmake --build --preset default --target make_demo >/dev/null
	@for b in build/bench/bench_*; do echo "== $$b"; $$b; done
	@echo "== bench/startup"; bench/startup build/tavisco build/scripts/demo_workspace/make_demo

clean:
	rm -rf build build-asan
