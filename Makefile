# Saporia: `make run` builds and starts the program, `make test` builds and runs the tests.
# Both install what is missing on a Debian machine first. `make install` puts Saporia
# in the desktop's application menu (under PREFIX, no root needed); `make uninstall`
# removes it again and keeps the user's data.

PACKAGES := cmake g++ make pkg-config qt6-base-dev libsqlite3-dev zlib1g-dev libxml2-dev \
            libgtest-dev libbenchmark-dev fonts-liberation desktop-file-utils poppler-utils
RELEASE_DIR := build/release
TEST_DIR := build/asan
BENCH_DIR := build/bench
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= $(HOME)/.local
INSTALL_PREFIX = $(abspath $(PREFIX))
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 60

.PHONY: run test data bench fuzz screenshots deps release install uninstall clean
MAKEFLAGS += --no-print-directory

run: data
	@exec $(RELEASE_DIR)/app/saporia

test: deps
	@mkdir -p build && cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DSAPORIA_SANITIZE=ON -DSAPORIA_WERROR=ON > $(TEST_DIR).configure.log 2>&1 \
		|| (cat $(TEST_DIR).configure.log; exit 1)
	@cmake --build $(TEST_DIR) -j$(JOBS)
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --output-on-failure -j$(JOBS)

data: release
	@if [ -e data ]; then echo "data/ already exists: left unchanged."; \
	else $(RELEASE_DIR)/tools/saporia-makedb data; fi

bench: deps
	@cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DSAPORIA_TESTS=OFF -DSAPORIA_BENCH=ON > /dev/null
	@cmake --build $(BENCH_DIR) -j$(JOBS)
	cd $(BENCH_DIR) && ./bench/saporia-bench

# Each fuzz target runs for FUZZ_SECONDS from its seeds; what it finds lands in build/fuzz/findings.
fuzz: deps
	@command -v clang++ > /dev/null || ($(SUDO) apt-get update -qq && \
		$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang > /dev/null)
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSAPORIA_FUZZ=ON \
		-DSAPORIA_SANITIZE=ON -DSAPORIA_TESTS=OFF > $(FUZZ_DIR).configure.log 2>&1 || (cat $(FUZZ_DIR).configure.log; exit 1)
	@cmake --build $(FUZZ_DIR) -j$(JOBS) --target $$(cut -d' ' -f1 $(FUZZ_DIR)/fuzz-targets.txt | xargs -n1 basename)
	@mkdir -p $(FUZZ_DIR)/findings
	@while read -r program seeds; do \
		echo "Fuzzing $$(basename $$program) for $(FUZZ_SECONDS) s"; \
		work=$(FUZZ_DIR)/corpus/$$(basename $$program); mkdir -p $$work; \
		$$program $$work $$seeds -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=$(FUZZ_DIR)/findings/ -print_final_stats=1 || exit 1; \
	done < $(FUZZ_DIR)/fuzz-targets.txt

screenshots: data
	@cmake --build $(RELEASE_DIR) -j$(JOBS) --target saporia-screenshots saporia-window-shots
	QT_QPA_PLATFORM=offscreen $(RELEASE_DIR)/ui/saporia-screenshots build/screenshots
	QT_QPA_PLATFORM=offscreen $(RELEASE_DIR)/app/saporia-window-shots build/screenshots

release: deps
	@cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DSAPORIA_TESTS=OFF > /dev/null
	@cmake --build $(RELEASE_DIR) -j$(JOBS)

install: release
	@cmake --install $(RELEASE_DIR) --prefix "$(INSTALL_PREFIX)" > $(RELEASE_DIR).install.log \
		|| (cat $(RELEASE_DIR).install.log; exit 1)
	@desktop-file-validate "$(INSTALL_PREFIX)/share/applications/saporia.desktop"
	@echo "Saporia is installed in $(INSTALL_PREFIX): start it from the application menu."

uninstall:
	@cmake -DMANIFEST="$(INSTALL_PREFIX)/share/saporia/install_manifest.txt" -P desktop/Uninstall.cmake
	@echo "Saporia is uninstalled from $(INSTALL_PREFIX); your data was left where it is."

# Installs only what dpkg does not already report as installed.
deps:
	@missing=$$(for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -qq && \
		$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing > /dev/null; \
	fi

clean:
	rm -rf build
