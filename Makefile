# SPDX-License-Identifier: MIT
# The two commands a newcomer types: `make run` and `make test`.
.PHONY: run test bench build build-asan build-fuzz fuzz deps demo clean install uninstall deb

# How long `make fuzz` runs each fuzz target, in seconds.
FUZZ_SECONDS ?= 600

# Where `make install` puts the program; `make install PREFIX=$HOME/.local` needs no root.
# DESTDIR, as usual, stages the whole tree under another folder.
PREFIX ?= /usr/local

deps:
	@scripts/deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default

build-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan

# The fuzz targets, built with clang's libFuzzer and the sanitizers.
build-fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz

run: build
	@scripts/demo
	@cd demo && ../build/tavisco

# Tests run twice: the optimised build, then under the sanitizers; between them each fuzz target
# runs its seeds and 5 seconds from them. The last line printed is CTest's summary of the
# sanitizer run.
test: build build-asan build-fuzz
	@ctest --preset default
	@ctest --preset fuzz
	@ctest --preset asan

# Each fuzz target in turn for FUZZ_SECONDS seconds; what they find is kept in build-fuzz/fuzz/found/.
fuzz: build-fuzz
	@for target in build-fuzz/fuzz/fuzz_*; do \
	  [ -f "$$target" ] && [ -x "$$target" ] || continue; \
	  input=$${target##*/fuzz_}; \
	  fuzz/run "$$target" $(FUZZ_SECONDS) fuzz/corpus/$$input build-fuzz/fuzz/found/$$input || exit 1; \
	done

# Installs the stripped program; it builds what is missing but installs no system package (it names
# those missing instead). Files and folders it made are listed in build/, for make uninstall.
install:
	@scripts/deps --check
	@cmake --preset default >/dev/null
	@cmake --build --preset default --target tavisco
	@DESTDIR="$(DESTDIR)" scripts/install build "$(PREFIX)"

uninstall:
	@scripts/install --uninstall build

# The Debian package tavisco_<version>-1_<arch>.deb, here, built in build-deb/ and checked by lintian.
deb:
	@scripts/deps deb
	@scripts/deb build-deb .

# Each benchmark ends with its ratio against its baseline; then the start-up figures.
bench: build
	@cmake --build --preset default --target make_demo >/dev/null
	@for b in build/bench/bench_*; do echo "== $$b"; $$b; done
	@echo "== bench/startup"; bench/startup build/tavisco build/scripts/demo_workspace/make_demo

clean:
	rm -rf build build-asan build-fuzz build-deb
