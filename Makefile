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

bench: build
	@for b in build/bench/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf build build-asan
