# The two commands a newcomer types: `make run` and `make test`.
.PHONY: run test bench build build-asan deps demo clean install uninstall

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

run: build
	@scripts/demo
	@cd demo && ../build/tavisco

# Tests run twice: the optimised build, then under the sanitizers.
# The last line printed is CTest's summary of the sanitizer run.
test: build build-asan
	@ctest --preset default
	@ctest --preset asan

# Every file an install put is listed in build/installed_files (with its DESTDIR), so that
# uninstall removes exactly those, from each prefix installed to.
install: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default --target tavisco
	@DESTDIR="$(DESTDIR)" cmake --install build --prefix "$(PREFIX)"
	@sed 's|^|$(DESTDIR)|' build/install_manifest.txt | LC_ALL=C sort -u -o build/installed_files - $$(ls build/installed_files 2>/dev/null)

uninstall:
	@if [ ! -f build/installed_files ]; then echo "make uninstall: nothing was installed from this tree"; exit 1; fi
	@while IFS= read -r file; do rm -f "$$file" && echo "-- Removed: $$file"; done < build/installed_files
	@rm build/installed_files

bench: build
	@for b in build/bench/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf build build-asan
