#pragma once

// How a screen's validation runs: for 計算する, stopping at the first fault with its message;
// for メニューに戻る, keeping what is valid and dropping the rest without a word.
enum class ValidationMode { Interactive, Silent };
