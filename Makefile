# The two commands a newcomer needs: `make run` starts the editor, `make test` runs every test.
# Both install what is missing (Debian packages) and build first.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
FUZZ_TARGETS = scene_reader obj_import draw_scene model_import
JOBS       ?= $(shell nproc)
# The build type of `make build`, `run` and `test` (the sanitizer build is Debug).
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=

.PHONY: all deps configure build run test test-sanitize fuzz bench install package format clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

# Configures and builds with what is installed; `run` and `test` install what is missing first.
configure: $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: deps
	@$(MAKE) --no-print-directory build
	@bash scripts/run-editor.sh $(BUILD)

test: deps
	@$(MAKE) --no-print-directory build
	cd $(BUILD) && ctest --output-on-failure -LE long -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DKOLVEX_SANITIZE=ON -DKOLVEX_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug $(CMAKE_ARGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -LE long -j $(JOBS)

# The libFuzzer targets (clang with its fuzzing runtime), each run for FUZZ_SECONDS from the seed
# corpus in tests/fuzz/corpus; new inputs go to $(FUZZ_BUILD)/corpus, anything found to
# $(FUZZ_BUILD)/findings. The seed corpus also runs as an ordinary test in `make test`.
fuzz:
	@bash scripts/install-deps.sh --fuzz
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DKOLVEX_FUZZ=ON -DKOLVEX_GUI=OFF -DKOLVEX_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) $(addprefix --target fuzz_,$(FUZZ_TARGETS))
	@mkdir -p $(FUZZ_BUILD)/findings
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_BUILD)/tests/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/findings/$$t- $(FUZZ_BUILD)/corpus/$$t tests/fuzz/corpus/$$t \
	    || exit 1; \
	done

# Installs the editor, kvxtool, the desktop entry, the icon and the scene file type under PREFIX.
PREFIX ?= /usr/local
install: deps
	@$(MAKE) --no-print-directory build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the same tree (build/kolvex_VERSION_ARCH.deb).
package: deps
	@$(MAKE) --no-print-directory build
	cd $(BUILD) && cpack

bench: deps
	@$(MAKE) --no-print-directory build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b --benchmark_min_time=0.2; done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
