// 入力フォームの検証スクリプト (JScript / JavaScript)
// 郵便番号・電話番号・メールアドレスを確認する。

var MAX_LENGTH = 64;
var messages = {
	required: "必須項目です",
	tooLong: "文字数が多すぎます",
	badFormat: "形式が正しくありません (例: 表参道1-2-3)"
};

/* 文字列の前後の空白を取り除く。
   全角スペースも対象にする。 */
function trim(s)
{
	if (s == null || typeof s == "undefined")
		return "";
	return s.replace(/^[\s　]+|[\s　]+$/g, '');
}

// 郵便番号 (123-4567)
function isZip(value)
{
	return /^\d{3}-\d{4}$/.test(value);
}

function isPhone(value)
{
	var digits = value.replace(/-/g, "");
	return digits.length >= 10 && digits.length <= 11 && !isNaN(parseInt(digits, 10));
}

function showError(field, text)
{
	var el = document.getElementById(field + "Error");
	if (el) {
		el.innerHTML = "<span class=\"err\">" + text + "</span>";
		el.style.display = "block";
	} else {
		alert(field + ": " + text);
	}
}

// フォーム全体を検証する。問題がなければ true を返す。
function validate(form)
{
	var ok = true;
	var fields = ["name", "zip", "phone", "mail"];
	for (var i = 0; i < fields.length; i++) {
		var f = fields[i];
		var v = trim(form.elements[f].value);
		if (v === "") {
			showError(f, messages.required);
			ok = false;
			continue;
		}
		if (v.length > MAX_LENGTH) {
			showError(f, messages.tooLong);
			ok = false;
		}
		switch (f) {
		case "zip":
			if (!isZip(v)) { showError(f, messages.badFormat); ok = false; }
			break;
		case "phone":
			if (!isPhone(v)) { showError(f, messages.badFormat); ok = false; }
			break;
		case 'mail':
			if (v.indexOf('@') < 1) { showError(f, 'メールアドレスに \'@\' がありません'); ok = false; }
			break;
		default:
			break;
		}
	}
	return ok;
}

// 送信前の確認。ソフトウェアキーボード用に少し待つ。
function onSubmit(form)
{
	if (!validate(form))
		return false;
	var started = new Date().getTime();
	window.setTimeout(function () {
		var ms = new Date().getTime() - started;
		window.status = "検証時間: " + ms + "ms / 最大 " + 1.5e+3 + "ms";
	}, 0x10);
	return confirm("送信してもよろしいですか?");
}
